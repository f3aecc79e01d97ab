# mivora_add_form(<target> <design.txt> <output var> [RESOURCE <name>] [SEARCH <dir>...])
#
# Converts a design's text form into its binary form at build time; <target> builds it and the output
# variable names the binary file. With RESOURCE, <output var>_RC also names a generated .rc file that
# embeds the binary as RCDATA <name>, to add to a program's sources. Files that the design names with
# @file and @bitmap are found beside it or in the SEARCH directories.
#
# form2bin runs on the build machine, so the win32 tree builds it with the host compiler.
if(MIVORA_WIN32)
  include(ExternalProject)
  set(MIVORA_FORM2BIN ${CMAKE_BINARY_DIR}/form2bin-host/form2bin)
  ExternalProject_Add(form2bin_host
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/form2bin
    BINARY_DIR ${CMAKE_BINARY_DIR}/form2bin-host
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${MIVORA_FORM2BIN})
  set(MIVORA_FORM2BIN_DEPENDS form2bin_host ${MIVORA_FORM2BIN})
else()
  set(MIVORA_FORM2BIN $<TARGET_FILE:form2bin>)
  set(MIVORA_FORM2BIN_DEPENDS form2bin)
endif()
# Directory variables do not reach the sibling directories that call the function.
set_property(GLOBAL PROPERTY MIVORA_FORM2BIN ${MIVORA_FORM2BIN})
set_property(GLOBAL PROPERTY MIVORA_FORM2BIN_DEPENDS ${MIVORA_FORM2BIN_DEPENDS})

function(mivora_add_form target design outvar)
  cmake_parse_arguments(F "" "RESOURCE" "SEARCH" ${ARGN})
  get_property(form2bin GLOBAL PROPERTY MIVORA_FORM2BIN)
  get_property(form2bin_depends GLOBAL PROPERTY MIVORA_FORM2BIN_DEPENDS)
  get_filename_component(source ${design} ABSOLUTE)
  get_filename_component(stem ${design} NAME_WE)
  set(binary ${CMAKE_CURRENT_BINARY_DIR}/forms/${stem}.bin)
  set(search)
  foreach(dir IN LISTS F_SEARCH)
    get_filename_component(dir ${dir} ABSOLUTE)
    list(APPEND search -I ${dir})
  endforeach()
  # A program embeds the packed form, which TForm::ReadDesign unpacks.
  set(packed ${binary}.packed)
  add_custom_command(OUTPUT ${binary} ${packed}
    COMMAND ${form2bin} ${source} ${binary} ${search} --depfile ${binary}.d --packed ${packed}
    DEPENDS ${source} ${form2bin_depends}
    DEPFILE ${binary}.d
    COMMENT "Converting design ${design}")
  add_custom_target(${target} DEPENDS ${binary} ${packed})
  set(${outvar} ${binary} PARENT_SCOPE)
  if(F_RESOURCE)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/forms/${stem}.rc)
    file(WRITE ${rc} "${F_RESOURCE} RCDATA \"${packed}\"\n")
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${packed})
    set(${outvar}_RC ${rc} PARENT_SCOPE)
  endif()
endfunction()
