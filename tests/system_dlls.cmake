# Fails unless the Windows program PROGRAM imports only DLLs that every Windows has: no C++,
# GCC or threads runtime of MinGW's (libstdc++-6, libgcc_s_seh-1, libwinpthread-1).
#
#   cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DPROGRAM=mathieu12.exe -P system_dlls.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
list(TRANSFORM imports REPLACE "DLL Name: " "")
message(STATUS "${PROGRAM} imports: ${imports}")
set(kSystemDlls KERNEL32.dll msvcrt.dll)
foreach(dll ${imports})
  if(NOT dll IN_LIST kSystemDlls)
    message(FATAL_ERROR "${PROGRAM} needs ${dll}, which Windows does not have")
  endif()
endforeach()
if(NOT imports)
  message(FATAL_ERROR "no imports found in ${PROGRAM}: is it a Windows program?")
endif()
