# The system DLLs that only a first start uses are loaded at their first call: a start that finds another
# gate running maps none of them. Their delay-load import libraries, named like the ordinary ones, sit in
# a directory searched before the system's, so every -l of them (the toolchain's default ones too) takes
# the delay-load form in a program linked with mivora_delay_load.
set(MIVORA_DELAYED_DLLS user32 gdi32 advapi32 version)
set(delay_directory ${CMAKE_BINARY_DIR}/delayload)
if(NOT CMAKE_DLLTOOL OR NOT CMAKE_NM)
  message(FATAL_ERROR "the toolchain's dlltool and nm are needed for the delay-load libraries")
endif()
if(MIVORA_IMAGE32)
  set(import_prefix __imp__)
else()
  set(import_prefix __imp_)
endif()
set(delay_libraries)
foreach(dll IN LISTS MIVORA_DELAYED_DLLS)
  find_library(MIVORA_IMPORT_${dll} ${dll} REQUIRED)
  string(TOUPPER ${dll}.dll dll_name)
  set(output ${delay_directory}/lib${dll}.a)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${CMAKE_DLLTOOL} -DIMPORT_LIBRARY=${MIVORA_IMPORT_${dll}}
            -DDLL=${dll_name} -DOUTPUT=${output} -DIMPORT_PREFIX=${import_prefix} -P ${CMAKE_CURRENT_LIST_DIR}/make_delay_library.cmake
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/make_delay_library.cmake
    COMMENT "Delay-load import library for ${dll_name}")
  list(APPEND delay_libraries ${output})
endforeach()
add_custom_target(delay_load_libraries DEPENDS ${delay_libraries})

function(mivora_delay_load target)
  target_link_directories(${target} PRIVATE ${delay_directory})
  add_dependencies(${target} delay_load_libraries)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${delay_libraries})
endfunction()
