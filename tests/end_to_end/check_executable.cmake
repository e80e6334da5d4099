# Checks a built mastervol.exe without running it: a 32-bit (PE32) GUI-subsystem program carrying its
# version information and manifest, which imports only DLLs that every Windows since Vista ships, so the
# file runs when copied alone onto any PC.
# Usage: cmake -DEXE=<mastervol.exe> -DOBJDUMP=<i686-w64-mingw32-objdump> -P check_executable.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT EXISTS "${EXE}")
  message(FATAL_ERROR "no executable at '${EXE}'")
endif()
execute_process(COMMAND "${OBJDUMP}" -p "${EXE}" OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} could not read ${EXE}")
endif()

set(problems "")
if(NOT headers MATCHES "file format pei-i386")
  list(APPEND problems "not a 32-bit x86 PE file")
endif()
if(NOT headers MATCHES "\nMagic[ \t]+010b")
  list(APPEND problems "optional header is not PE32")
endif()
if(NOT headers MATCHES "\nSubsystem[ \t]+00000002")
  list(APPEND problems "not the Windows GUI subsystem (a console would flash up)")
endif()

# Top-level entries of the resource directory: RT_VERSION is 16, RT_MANIFEST is 24.
foreach(type IN ITEMS 10 18)
  if(NOT headers MATCHES "\n[0-9a-f]+   Entry: ID: 0x0000${type},")
    list(APPEND problems "no resource of type 0x${type} (16 = version information, 24 = manifest)")
  endif()
endforeach()

# DLLs present on every Windows since Vista, in lower case.
set(system_dlls
  advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll
  psapi.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll winmm.dll ws2_32.dll)
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${headers}")
if(NOT imports)
  list(APPEND problems "no import table found")
endif()
set(names "")
foreach(entry IN LISTS imports)
  string(REGEX REPLACE "^DLL Name: " "" dll "${entry}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" dll)
  list(APPEND names "${dll}")
  if(NOT dll IN_LIST system_dlls)
    list(APPEND problems "imports ${dll}, which is not a system DLL")
  endif()
endforeach()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "${EXE}:\n  ${text}")
endif()
list(JOIN names ", " text)
message(STATUS "${EXE}: PE32, Windows GUI, version and manifest resources; imports ${text}")
