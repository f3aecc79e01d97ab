# Fails when the program, with every resource in it, outgrows its budget.
#   cmake -DPROGRAM=<exe> -DLIMIT=<bytes> -P check_size.cmake
file(SIZE "${PROGRAM}" size)
message(STATUS "${PROGRAM}: ${size} bytes (budget ${LIMIT})")
if(size GREATER LIMIT)
  message(FATAL_ERROR "the program is ${size} bytes, over its budget of ${LIMIT}")
endif()
