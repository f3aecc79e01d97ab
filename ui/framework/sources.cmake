# The portable framework sources, shared by framework_core and the host build of form2bin.
set(MIVORA_FRAMEWORK_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/persistent.cpp
  ${CMAKE_CURRENT_LIST_DIR}/component.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/class_registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rle8.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bmp_file.cpp)
