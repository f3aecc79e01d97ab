# Project-wide compile settings, applied to our own targets only (GoogleTest keeps its own).
add_library(mivora_options INTERFACE)
target_compile_options(mivora_options INTERFACE
  -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Werror -finput-charset=UTF-8
  # Type tests go through the component model's class info (TObject::InheritsFrom), not RTTI.
  -fno-rtti)
# Narrow literals are the program's CP949 bytes; the sources are UTF-8. clang, which builds the fuzz
# targets, cannot write CP949: there they stay UTF-8, and no fuzz target reads them.
if(NOT MIVORA_FUZZ)
  target_compile_options(mivora_options INTERFACE -fexec-charset=CP949)
endif()
# Includes name files from the repository's root (the host build of form2bin is a project of its own).
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH mivora_root)
target_include_directories(mivora_options INTERFACE ${mivora_root})

if(MIVORA_WIN32)
  target_compile_definitions(mivora_options INTERFACE
    _WIN32_WINNT=0x0500 WINVER=0x0500 _WIN32_IE=0x0500 NOMINMAX STRICT
    # Calls into the delay-loaded DLLs (cmake/DelayLoad.cmake) go through each function's stub, not
    # straight through its address slot: the linker keeps a delay-load stub only when something calls it,
    # and a slot without its stub holds no address.
    _USER32_ _GDI32_ _ADVAPI32_)
  # Size: link-time optimisation over the whole program, and whatever nothing reaches dropped. Code
  # that must keep its frames as written opts out with -fno-lto (the fault guard, the foreign call, the
  # processor check). Without IPA mod/ref the callers of the fault guard keep every value they hold in
  # memory across the guarded call: the guard may cut the body short, which that analysis cannot see.
  # One partition: GCC 12 fails inside its partitioner's symbol table on this program, and one
  # partition is also the smaller. Function and data sections made it larger (-fdata-sections moves
  # the zero-filled tables into the file), so the collection works on whole objects.
  # Statics inside functions are first reached on the window thread only (the debug writer's thread
  # touches none), so they need no guard against a second thread.
  target_compile_options(mivora_options INTERFACE -flto -fno-threadsafe-statics)
  target_link_options(mivora_options INTERFACE -flto -flto-partition=one -fno-ipa-modref -Wl,--gc-sections)
  # Windows keeps a 32-bit thread's stack aligned to 4 bytes only, and the program has no SSE code:
  # aligning every frame to 16 bytes bought nothing but size.
  if(MIVORA_IMAGE32)
    target_compile_options(mivora_options INTERFACE -mpreferred-stack-boundary=2)
  endif()
  # Load on Windows 98, ME and NT 4 too, so they can be refused with our own dialog.
  target_link_options(mivora_options INTERFACE
    -static -static-libgcc -static-libstdc++
    -Wl,--major-os-version,4 -Wl,--minor-os-version,0
    -Wl,--major-subsystem-version,4 -Wl,--minor-subsystem-version,0)
endif()
