# Shared helpers for the project's targets.

set(LURK_WIN_LIBS user32 gdi32 comctl32 comdlg32 shell32 shlwapi ole32 oleaut32 uuid advapi32 version)

# Converts a Linux path into the Z: drive path that Wine maps it to.
function(lurk_wine_path out path)
  string(REPLACE "/" "\\" winpath "${path}")
  set(${out} "Z:${winpath}" PARENT_SCOPE)
endfunction()
