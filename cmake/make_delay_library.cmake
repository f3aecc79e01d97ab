# Writes a delay-load import library for one system DLL from its ordinary import library: every function
# the import library names, loaded at its first call instead of at the program's start.
# cmake -DNM=... -DDLLTOOL=... -DIMPORT_LIBRARY=... -DDLL=USER32.dll -DOUTPUT=.../libuser32.a
#       -DIMPORT_PREFIX=__imp__ -P this
# IMPORT_PREFIX: what stands before a C name in an address slot's symbol (i386 names carry an underscore
# of their own, x64 names none).
execute_process(COMMAND ${NM} ${IMPORT_LIBRARY} OUTPUT_VARIABLE symbols ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "I ${IMPORT_PREFIX}[^\r\n]+" imports "${symbols}")
list(TRANSFORM imports REPLACE "^I ${IMPORT_PREFIX}" "")
list(REMOVE_DUPLICATES imports)
list(LENGTH imports count)
if(count EQUAL 0)
  message(FATAL_ERROR "no functions found in ${IMPORT_LIBRARY}")
endif()
list(JOIN imports "\n" exports)
get_filename_component(directory ${OUTPUT} DIRECTORY)
set(definition ${OUTPUT}.def)
file(WRITE ${definition} "LIBRARY ${DLL}\nEXPORTS\n${exports}\n")
# -k: the DLL exports the undecorated names; the program calls the stdcall-decorated ones.
execute_process(COMMAND ${DLLTOOL} -k --input-def ${definition} --dllname ${DLL} --output-delaylib ${OUTPUT}
                COMMAND_ERROR_IS_FATAL ANY)
