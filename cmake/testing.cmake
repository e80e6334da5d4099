# GoogleTest for both builds, and one helper that every subsystem uses to declare its test executable.
enable_testing()

if(WIN32)
  # Debian ships GoogleTest's sources; the Windows build compiles them with mingw.
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Every Windows program and DLL carries its runtime inside: nothing to ship beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
  set(MASTERVOL_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${CMAKE_COMMAND} -E env WINEPREFIX=${MASTERVOL_WINE_PREFIX} ${CMAKE_SOURCE_DIR}/tools/wine-exec)
else()
  find_package(GTest REQUIRED)
endif()

# mastervol_add_tests(<name> SOURCES ... LIBRARIES ...): one GoogleTest executable, one ctest entry.
# The same executable is built natively and for Windows; the Windows one runs under Wine.
function(mastervol_add_tests name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main GTest::gmock)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  if(WIN32)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix
                         ENVIRONMENT "WINEPREFIX=${MASTERVOL_WINE_PREFIX}")
  endif()
endfunction()
