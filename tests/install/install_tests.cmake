# Checks of what `cmake --install` and CPack deliver: the validators of the
# desktop entry and the AppStream file (skipped where the tool is missing),
# the installed tree, the Debian package, and the program's command line.
set(id ${PLIMO_APP_ID})
set(skip_missing [=[command -v "$1" >/dev/null 2>&1 || { echo "$1 not installed: skipped"; exit 77; }; exec "$@"]=])

add_test(NAME desktop_entry_valid
  COMMAND sh -c "${skip_missing}" sh desktop-file-validate "${PLIMO_DESKTOP_FILE}")
add_test(NAME metainfo_valid
  COMMAND sh -c "${skip_missing}" sh appstreamcli validate --no-net "${PLIMO_METAINFO_FILE}")
# With the network allowed: the listing names no address that must answer
# unless the packager gave one.
add_test(NAME metainfo_valid_with_network
  COMMAND sh -c "${skip_missing}" sh appstreamcli validate "${PLIMO_METAINFO_FILE}")
# Warnings count as failures; only errors change the validators' exit codes.
set_tests_properties(desktop_entry_valid metainfo_valid metainfo_valid_with_network PROPERTIES
  SKIP_RETURN_CODE 77 FAIL_REGULAR_EXPRESSION "error:|warning:|^W: |^E: ")

# The templates of the desktop entry and the listing are what the language
# modules make.
add_test(NAME listing_templates_generated
  COMMAND sh -c "rm -rf \"$1\" && mkdir -p \"$1\" && /usr/bin/python3 \"$2/tools/text/make_listing.py\" \"$1\" && diff -r \"$1\" \"$2/dist\" --exclude=copyright --exclude=changelog.in --exclude=icons --exclude=screenshots --exclude=plimo.6 --exclude=plimo-help.html"
          sh "${PROJECT_BINARY_DIR}/test-tmp/listing_templates" "${PROJECT_SOURCE_DIR}")

add_test(NAME install_tree
  COMMAND "${CMAKE_COMMAND}" -DBUILD=${PROJECT_BINARY_DIR} -DPREFIX=${PROJECT_BINARY_DIR}/test-tmp/install_tree
          -DID=${id} -DBINDIR=${PLIMO_INSTALL_BINDIR}
          -P "${CMAKE_CURRENT_SOURCE_DIR}/install/check_install.cmake")

add_test(NAME debian_package
  COMMAND bash "${PROJECT_SOURCE_DIR}/tools/check_package.sh" "${PROJECT_BINARY_DIR}" "${id}")
set_tests_properties(debian_package PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 900)

add_test(NAME command_line
  COMMAND bash "${CMAKE_CURRENT_SOURCE_DIR}/install/check_command_line.sh" "$<TARGET_FILE:plimo>")

# The generated assembler files mark their stack note with %progbits, which
# every GNU assembler takes (the 32-bit ARM one rejects @progbits).
add_test(NAME assembler_files_portable
  COMMAND sh -c "grep -q '%progbits' \"$1\" \"$2\" && ! grep -l '@progbits' \"$1\" \"$2\""
          sh "${PROJECT_BINARY_DIR}/archive/archive_data.S" "${PROJECT_BINARY_DIR}/help_page/help_page.S")
