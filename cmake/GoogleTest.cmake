# GoogleTest: the installed package when there is one, else built from the sources that
# Debian and Ubuntu keep in /usr/src/googletest (or GOOGLETEST_SOURCES), into the build
# folder, without the project's compile options (as the package is).
find_package(GTest QUIET)
if(NOT GTest_FOUND)
  set(GOOGLETEST_SOURCES /usr/src/googletest CACHE PATH "GoogleTest sources, built when no package is installed")
  if(NOT EXISTS ${GOOGLETEST_SOURCES}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest is neither installed nor found in ${GOOGLETEST_SOURCES}: "
                        "run tools/install-build-deps")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  get_directory_property(project_options COMPILE_OPTIONS)
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
  add_subdirectory(${GOOGLETEST_SOURCES} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "${project_options}")
endif()
