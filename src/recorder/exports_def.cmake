# Writes the recorder's module-definition file from opengl32_exports.txt: every name a
# forwarder to opengl32's function of that name, except wglSwapBuffers, which is the
# recorder's own function SWAP (its linker name: stdcall-decorated on i686).
#   cmake -DLIST=opengl32_exports.txt -DSWAP=RecordedSwapBuffers@4 -DOUT=recorder.def -P exports_def.cmake
cmake_minimum_required(VERSION 3.20)
file(STRINGS ${LIST} names REGEX "^[A-Za-z_][A-Za-z0-9_]*$")
if(NOT "wglSwapBuffers" IN_LIST names)
  message(FATAL_ERROR "${LIST} lacks wglSwapBuffers")
endif()
set(text "LIBRARY QWK_FrameRecorder.dll\r\nEXPORTS\r\n")
foreach(name IN LISTS names)
  if(name STREQUAL "wglSwapBuffers")
    string(APPEND text "  ${name} = ${SWAP}\r\n")
  else()
    string(APPEND text "  ${name} = opengl32.${name}\r\n")
  endif()
endforeach()
file(WRITE ${OUT}.new "${text}")
file(COPY_FILE ${OUT}.new ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.new)
