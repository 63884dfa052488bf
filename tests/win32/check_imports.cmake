cmake_minimum_required(VERSION 3.25)
# cmake -DEXE=kneebrace.exe -DOBJDUMP=x86_64-w64-mingw32-objdump -P check_imports.cmake
# Fails unless the program imports only DLLs that every Windows 10 has, and is a
# window program.
set(system_dlls
  advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
  oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll windowscodecs.dll)

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "objdump could not read ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${headers}")
if(NOT lines)
  message(FATAL_ERROR "no imports found in ${EXE}: objdump's output has changed?")
endif()
set(found)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "DLL Name: " "" dll "${line}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" lower)
  list(APPEND found ${dll})
  if(NOT lower IN_LIST system_dlls AND NOT lower MATCHES "^api-ms-win-")
    message(SEND_ERROR "${EXE} imports ${dll}, which Windows does not provide")
  endif()
endforeach()
if(NOT headers MATCHES "DLL Name: USER32.dll")
  message(SEND_ERROR "${EXE} does not import USER32.dll: not the window program?")
endif()
if(NOT headers MATCHES "Subsystem[ \t]+0*2[ \t]")
  message(SEND_ERROR "${EXE} is not a window (GUI subsystem) program")
endif()
message(STATUS "imports: ${found}")
