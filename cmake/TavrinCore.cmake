# The core: one set of objects built once, linked into a static library (the tests, fuzz
# targets and benchmarks use it) and into libtavrin.so.0 (the tool and the desktop program
# share it).
file(GLOB_RECURSE TAVRIN_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.cpp)
# The outputs layer is a library of its own, so only what writes GIS/CAD files links GDAL; its
# table of formats and their file endings is in the core.
list(FILTER TAVRIN_SOURCES EXCLUDE REGEX "/src/outputs/")
list(APPEND TAVRIN_SOURCES ${PROJECT_SOURCE_DIR}/src/outputs/output_format.cpp
  ${PROJECT_SOURCE_DIR}/src/outputs/module_loader.cpp)
# The Qt front end is a library of its own, built only when Qt is there.
list(FILTER TAVRIN_SOURCES EXCLUDE REGEX "/src/ui/qt/")
add_library(tavrin_objects OBJECT ${TAVRIN_SOURCES})
# Nobody replaces the core's functions from outside, so calls inside it may go straight to
# them instead of through the symbol table (a few percent on every import).
target_compile_options(tavrin_objects PRIVATE -fno-semantic-interposition)

set(TAVRIN_CORE_INCLUDES ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/include)
set(TAVRIN_CORE_LIBS nlohmann_json::nlohmann_json tomlplusplus::tomlplusplus Threads::Threads
    ${CMAKE_DL_LIBS} util)
target_include_directories(tavrin_objects PUBLIC ${TAVRIN_CORE_INCLUDES})
target_link_libraries(tavrin_objects PUBLIC ${TAVRIN_CORE_LIBS})
# Where the programs find the outputs module once installed: <prefix>/bin -> <prefix>/lib/tavrin.
file(RELATIVE_PATH TAVRIN_BIN_TO_LIB ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
set_property(SOURCE ${PROJECT_SOURCE_DIR}/src/outputs/module_loader.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS TAVRIN_OUTPUTS_FROM_BIN="${TAVRIN_BIN_TO_LIB}/tavrin")

add_library(tavrin_core STATIC $<TARGET_OBJECTS:tavrin_objects>)
add_library(tavrin_shared SHARED $<TARGET_OBJECTS:tavrin_objects>)
foreach(lib tavrin_core tavrin_shared)
  target_include_directories(${lib} PUBLIC ${TAVRIN_CORE_INCLUDES})
  target_link_libraries(${lib} PUBLIC ${TAVRIN_CORE_LIBS})
endforeach()
target_link_options(tavrin_shared PRIVATE -Wl,-Bsymbolic-functions)
set_target_properties(tavrin_shared PROPERTIES
  OUTPUT_NAME tavrin
  VERSION ${PROJECT_VERSION}
  SOVERSION ${PROJECT_VERSION_MAJOR})

# What a plug-in author builds against: the public header and the language level, nothing to
# link (plug-ins never link the core).
add_library(tavrin_plugin INTERFACE)
add_library(Tavrin::plugin ALIAS tavrin_plugin)
target_include_directories(tavrin_plugin INTERFACE
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
target_compile_features(tavrin_plugin INTERFACE cxx_std_20)
set_target_properties(tavrin_plugin PROPERTIES EXPORT_NAME plugin)

# Programs find the core beside them once installed: <prefix>/bin -> <prefix>/lib.
function(tavrin_use_installed_core target)
  file(RELATIVE_PATH to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/${to_lib}")
  target_link_libraries(${target} PRIVATE tavrin_shared)
endfunction()

# Project to LandXML (pugixml) and to GIS/CAD formats (GDAL/OGR): a static library for the
# tests, and a module that the tool opens only when it converts (GDAL's hundred libraries would
# otherwise load with every command).
find_package(GDAL CONFIG REQUIRED)
find_package(pugixml REQUIRED)
file(GLOB TAVRIN_OUTPUT_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/outputs/*.cpp)
list(REMOVE_ITEM TAVRIN_OUTPUT_SOURCES ${PROJECT_SOURCE_DIR}/src/outputs/output_format.cpp
  ${PROJECT_SOURCE_DIR}/src/outputs/module_loader.cpp)
add_library(tavrin_outputs_objects OBJECT ${TAVRIN_OUTPUT_SOURCES})
target_include_directories(tavrin_outputs_objects PUBLIC ${TAVRIN_CORE_INCLUDES})
target_link_libraries(tavrin_outputs_objects PUBLIC ${TAVRIN_CORE_LIBS} GDAL::GDAL pugixml::pugixml)

add_library(tavrin_outputs STATIC $<TARGET_OBJECTS:tavrin_outputs_objects>)
target_link_libraries(tavrin_outputs PUBLIC tavrin_outputs_objects)

add_library(tavrin_outputs_module MODULE $<TARGET_OBJECTS:tavrin_outputs_objects>)
target_link_libraries(tavrin_outputs_module PRIVATE tavrin_shared GDAL::GDAL pugixml::pugixml)
set_target_properties(tavrin_outputs_module PROPERTIES
  OUTPUT_NAME tavrin-outputs
  LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}
  INSTALL_RPATH "$ORIGIN/..")
