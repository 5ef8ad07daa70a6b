# A second cross build for 64-bit Windows: clang and llvm-rc on the same
# MinGW-w64 headers and libraries as the GCC build. It exists to catch what
# GCC and windres let through but another compiler or Microsoft's resource
# compiler would refuse, so warnings are errors here too.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_RC_COMPILER llvm-rc)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Debian's clang looks for MinGW's C++ library under a GCC folder named by
# the bare version, but Debian names it by thread model too ("12-posix"):
# give it the posix one, which has std::thread and std::mutex, as GCC does.
file(GLOB SNAPORA_MINGW_GCC_DIRS LIST_DIRECTORIES true /usr/lib/gcc/${TOOLCHAIN_PREFIX}/*-posix)
list(SORT SNAPORA_MINGW_GCC_DIRS COMPARE NATURAL ORDER DESCENDING)
list(GET SNAPORA_MINGW_GCC_DIRS 0 SNAPORA_MINGW_GCC_DIR)
set(CMAKE_CXX_FLAGS_INIT
    "-isystem ${SNAPORA_MINGW_GCC_DIR}/include/c++ -isystem ${SNAPORA_MINGW_GCC_DIR}/include/c++/${TOOLCHAIN_PREFIX}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${SNAPORA_MINGW_GCC_DIR}")
# The C++ runtime to link, the resource scripts' code page, and llvm-rc's
# output turned into an object file: see the rules file.
set(CMAKE_USER_MAKE_RULES_OVERRIDE ${CMAKE_CURRENT_LIST_DIR}/clang-mingw-w64-rules.cmake)
