# Cross toolchain for the 32-bit Windows build (MinGW-w64, posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(PLATEMAP_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_C_COMPILER ${PLATEMAP_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PLATEMAP_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${PLATEMAP_MINGW_TRIPLET}-windres)

get_filename_component(PLATEMAP_WIN32_DEPS "${CMAKE_CURRENT_LIST_DIR}/../.deps/win32" ABSOLUTE)
set(CMAKE_FIND_ROOT_PATH /usr/${PLATEMAP_MINGW_TRIPLET} "${PLATEMAP_WIN32_DEPS}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The DLL and test programs must run without shipping libgcc/libstdc++/winpthread DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

get_filename_component(PLATEMAP_WINE_RUN "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run" ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${PLATEMAP_WINE_RUN}")
