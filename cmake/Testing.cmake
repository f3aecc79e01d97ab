enable_testing()

if(MIVORA_WIN32)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  target_link_options(gtest PUBLIC -static -static-libgcc -static-libstdc++)
  # The win32 thread model has no std::mutex, which GoogleTest's notification helper uses: give it
  # one built on an event.
  target_sources(gtest PRIVATE ${CMAKE_CURRENT_LIST_DIR}/gtest_notification.cpp)
  foreach(target gtest gmock)
    target_compile_definitions(${target} PUBLIC GTEST_HAS_NOTIFICATION_=1)
    target_compile_options(${target} PUBLIC -include ${CMAKE_CURRENT_LIST_DIR}/gtest_notification.h)
  endforeach()
else()
  find_package(GTest REQUIRED)
endif()

# mivora_add_test(<name> SOURCES <files...> LIBS <targets...> [SERIAL] [TIMEOUT <s>])
# One ctest per test program; on win32 ctest runs it under the Wine rig through the emulator. Most run in
# seconds: 60 s by default, so that one that hangs fails soon; those that start many programs say more.
# SERIAL marks programs that share named objects (the instance mutex, atoms, suite windows), the
# registry, or the display's focus and foreground window.
function(mivora_add_test name)
  cmake_parse_arguments(T "SERIAL" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} mivora_options GTest::gtest_main GTest::gmock)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 60)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_SERIAL)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_shared_objects)
  endif()
endfunction()
