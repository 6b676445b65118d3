set(CMAKE_C_COMPILER ${TESSERA_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESSERA_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TESSERA_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TESSERA_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# No runtime DLLs beside the program: it must start on a bare Windows.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Test programs run under Wine through a wrapper that keeps CTest fast.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
