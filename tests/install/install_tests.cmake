# Checks of what `cmake --install` and CPack deliver: the validators of the
# desktop entry and the AppStream file (skipped where the tool is missing),
# the installed tree, and the Debian package.
set(dist "${PROJECT_SOURCE_DIR}/dist")
set(id example.tilecraft.plimo)
set(skip_missing [=[command -v "$1" >/dev/null 2>&1 || { echo "$1 not installed: skipped"; exit 77; }; exec "$@"]=])

add_test(NAME desktop_entry_valid
  COMMAND sh -c "${skip_missing}" sh desktop-file-validate "${dist}/${id}.desktop")
add_test(NAME metainfo_valid
  COMMAND sh -c "${skip_missing}" sh appstreamcli validate --no-net "${dist}/${id}.metainfo.xml")
# Warnings count as failures; only errors change the validators' exit codes.
set_tests_properties(desktop_entry_valid metainfo_valid PROPERTIES
  SKIP_RETURN_CODE 77 FAIL_REGULAR_EXPRESSION "error:|warning:|^W: |^E: ")

add_test(NAME install_tree
  COMMAND "${CMAKE_COMMAND}" -DBUILD=${PROJECT_BINARY_DIR} -DPREFIX=${PROJECT_BINARY_DIR}/test-tmp/install_tree
          -P "${CMAKE_CURRENT_SOURCE_DIR}/install/check_install.cmake")

add_test(NAME debian_package
  COMMAND bash "${PROJECT_SOURCE_DIR}/tools/check_package.sh" "${PROJECT_BINARY_DIR}")
set_tests_properties(debian_package PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
