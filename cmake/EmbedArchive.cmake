# Packs the members listed in cmake/archive_members.txt into the program:
# an assembler file that .incbin's each file found under Data/ and a C++
# table naming them in list order. A member missing from Data/ is listed with
# no bytes, so the game treats it like a missing file.
# The assembler's data section and the end of an assembler file: WebAssembly
# objects name their sections differently and have no stack note.
if(EMSCRIPTEN)
  set(PLIMO_ASM_TRAILER "")
else()
  set(PLIMO_ASM_TRAILER "    .section .note.GNU-stack,\"\",%progbits\n")
endif()
function(plimo_data_section out)
  if(EMSCRIPTEN)
    set(${out} "    .section .rodata.plimo,\"\",@\n" PARENT_SCOPE)
  else()
    set(${out} "    .section .rodata\n" PARENT_SCOPE)
  endif()
endfunction()

# WebAssembly data symbols need their sizes: the start symbol spans the
# file, the end symbol nothing.
function(plimo_wasm_sizes asm_var symbol path)
  if(EMSCRIPTEN)
    file(SIZE "${path}" size)
    set(${asm_var} "${${asm_var}}    .size ${symbol}, ${size}\n    .size ${symbol}_end, 0\n" PARENT_SCOPE)
  endif()
endfunction()

function(plimo_embed_archive target)
  set(list_file "${PROJECT_SOURCE_DIR}/cmake/archive_members.txt")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${list_file}")
  file(STRINGS "${list_file}" members)
  # Re-run the configuration when files appear in or leave Data/.
  file(GLOB data_files CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/Data/*")

  set(out_dir "${CMAKE_CURRENT_BINARY_DIR}/archive")
  set(asm "")
  set(decls "")
  set(rows "")
  set(depends "")
  set(i 0)
  foreach(name IN LISTS members)
    set(path "${PROJECT_SOURCE_DIR}/${name}")
    if(EXISTS "${path}")
      string(APPEND asm
        "    .global plimo_member_${i}\n    .global plimo_member_${i}_end\n"
        "    .balign 16\nplimo_member_${i}:\n    .incbin \"${path}\"\nplimo_member_${i}_end:\n")
      plimo_wasm_sizes(asm plimo_member_${i} "${path}")
      string(APPEND decls
        "extern \"C\" const unsigned char plimo_member_${i}[];\n"
        "extern \"C\" const unsigned char plimo_member_${i}_end[];\n")
      string(APPEND rows "    {\"${name}\", plimo_member_${i}, plimo_member_${i}_end},\n")
      list(APPEND depends "${path}")
    else()
      string(APPEND rows "    {\"${name}\", nullptr, nullptr},\n")
    endif()
    math(EXPR i "${i} + 1")
  endforeach()

  plimo_data_section(section)
  file(CONFIGURE OUTPUT "${out_dir}/archive_data.S" CONTENT "${section}${asm}${PLIMO_ASM_TRAILER}")
  file(CONFIGURE OUTPUT "${out_dir}/archive_table.cpp" CONTENT
    "// Generated from cmake/archive_members.txt.\n#include \"app/archive_members.h\"\n\n${decls}\nconst ArchiveMember ARCHIVE_MEMBERS[] = {\n${rows}};\nconst int ARCHIVE_MEMBER_COUNT = ${i};\n")
  set_source_files_properties("${out_dir}/archive_data.S" PROPERTIES OBJECT_DEPENDS "${depends}")

  add_library(${target} STATIC "${out_dir}/archive_data.S" "${out_dir}/archive_table.cpp")
  target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}")
endfunction()
