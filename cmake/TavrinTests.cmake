# Test programs (one per folder under tests/), the packaging tests and the benchmarks. They build
# with the whole project (the test command), never for the tool alone.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB TAVRIN_TEST_DIRS CONFIGURE_DEPENDS LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/tests/*)
foreach(dir ${TAVRIN_TEST_DIRS})
  if(IS_DIRECTORY ${dir})
    get_filename_component(name ${dir} NAME)
    if(name STREQUAL "gui" AND NOT TARGET tavrin_gui_app)
      continue()
    endif()
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(srcs)
      add_executable(test_${name} ${srcs})
      target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
      target_link_libraries(test_${name} PRIVATE tavrin_core GTest::gtest GTest::gtest_main GTest::gmock)
      target_compile_definitions(test_${name} PRIVATE
        TAVRIN_SHARED_SAMPLES="${PROJECT_SOURCE_DIR}/../shared/samples"
        TAVRIN_BINARY_DIR="${PROJECT_BINARY_DIR}"
        TAVRIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
      if(name STREQUAL "outputs")
        # The tests read the files back with the same libraries.
        target_link_libraries(test_${name} PRIVATE tavrin_outputs GDAL::GDAL pugixml::pugixml tavrin_core)
      endif()
      if(name STREQUAL "gui")
        target_link_libraries(test_${name} PRIVATE tavrin_gui_app tavrin_core)
      endif()
      gtest_discover_tests(test_${name} TEST_PREFIX "${name}." DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "LC_ALL=C")
    endif()
  endif()
endforeach()

# The command-line tests run the tool itself.
foreach(t test_cli test_serial)
  if(TARGET ${t})
    add_dependencies(${t} tavrin)
    target_compile_definitions(${t} PRIVATE TAVRIN_EXE="$<TARGET_FILE:tavrin>")
  endif()
endforeach()

# Install and package as a user would; a sanitized build is not installed.
if(NOT TAVRIN_SANITIZE)
  add_test(NAME install.out_of_tree_plugin
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/install/out_of_tree_plugin.sh
            ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR} ${CMAKE_COMMAND} ${CMAKE_CXX_COMPILER})
  set_tests_properties(install.out_of_tree_plugin PROPERTIES ENVIRONMENT "LC_ALL=C" TIMEOUT 900 RESOURCE_LOCK tavrin_install)
  find_program(DPKG_DEB dpkg-deb)
  if(DPKG_DEB)
    add_test(NAME install.debian_package
      COMMAND bash ${PROJECT_SOURCE_DIR}/tests/install/debian_package.sh
              ${PROJECT_BINARY_DIR} ${CMAKE_CPACK_COMMAND})
    set_tests_properties(install.debian_package PROPERTIES ENVIRONMENT "LC_ALL=C" TIMEOUT 900 RESOURCE_LOCK tavrin_install)
  endif()
endif()

find_package(benchmark QUIET)
if(benchmark_FOUND AND EXISTS ${PROJECT_SOURCE_DIR}/bench)
  file(GLOB TAVRIN_BENCH_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/*.cpp)
  foreach(src ${TAVRIN_BENCH_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_link_libraries(${name} PRIVATE tavrin_core benchmark::benchmark)
    target_compile_definitions(${name} PRIVATE
      TAVRIN_SHARED_SAMPLES="${PROJECT_SOURCE_DIR}/../shared/samples")
  endforeach()
endif()
