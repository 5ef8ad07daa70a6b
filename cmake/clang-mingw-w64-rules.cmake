# Set after CMake's platform files, which would overwrite them from the
# toolchain file.
#
# The static C++ runtime and the threads library refer to each other, hence
# the group, at the end of the line where libraries go.
if(NOT CMAKE_CXX_STANDARD_LIBRARIES_INIT MATCHES "start-group")
  string(APPEND CMAKE_CXX_STANDARD_LIBRARIES_INIT " -Wl,--start-group -lstdc++ -lgcc_eh -lwinpthread -Wl,--end-group")
endif()

# CMake's own llvm-rc rule (preprocess with clang, then compile the result)
# with two changes. llvm-rc 14 takes the code page from its command line,
# not from the scripts' "#pragma code_page(65001)" as rc.exe and windres do.
# And the MinGW link packs objects into an archive, where a .res file is not
# a member any linker reads, so llvm-cvtres turns it into a COFF object.
if(CMAKE_RC_COMPILE_OBJECT MATCHES "cmake_llvm_rc" AND NOT CMAKE_RC_COMPILE_OBJECT MATCHES "llvm-cvtres")
  string(REPLACE "++ <CMAKE_RC_COMPILER>" "++ <CMAKE_RC_COMPILER> /C 65001" CMAKE_RC_COMPILE_OBJECT
         "${CMAKE_RC_COMPILE_OBJECT}")
  string(REPLACE "/fo <OBJECT> <OBJECT>.pp" "/fo <OBJECT>.res <OBJECT>.pp" CMAKE_RC_COMPILE_OBJECT
         "${CMAKE_RC_COMPILE_OBJECT}")
  list(APPEND CMAKE_RC_COMPILE_OBJECT "llvm-cvtres /machine:x64 /out:<OBJECT> <OBJECT>.res")
endif()
