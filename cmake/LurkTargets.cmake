# Shared helpers for the project's targets.

set(LURK_WIN_LIBS user32 gdi32 comctl32 comdlg32 shell32 shlwapi ole32 oleaut32 uuid advapi32 version)

# Converts a Linux path into the Z: drive path that Wine maps it to.
function(lurk_wine_path out path)
  string(REPLACE "/" "\\" winpath "${path}")
  set(${out} "Z:${winpath}" PARENT_SCOPE)
endfunction()

# Links a program that ships (and its test build) for size: a release build is optimised
# across files at link time, which drops what nothing calls and inlines what one place calls
# (each file keeps its own optimisation level, so the -O2 files stay -O2). One partition:
# GCC 12 for mingw-w64 fails with an internal error when it splits the program. The link goes
# through scripts/link_live_unwind.py so that the linker also drops the unused functions of
# the C++ library; only the 32-bit build, which ships: the 64-bit one keeps unwind tables of
# another kind and links with the linker's default script.
function(lurk_program_link target)
  target_link_options(${target} PRIVATE $<$<CONFIG:Release>:-flto$<SEMICOLON>-flto-partition=none>)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    set_target_properties(${target} PROPERTIES
      CXX_LINKER_LAUNCHER "${Python3_EXECUTABLE};${PROJECT_SOURCE_DIR}/scripts/link_live_unwind.py")
  endif()
endfunction()
