# Debian packages: tavrin (programs), libtavrin0 (the shared core), libtavrin-dev (plug-in
# development), each with a -dbgsym package holding the debug symbols. `cpack` in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Survey instrument files in and out of a survey project")
set(CPACK_PACKAGE_CONTACT "Tavrin developers <tavrin@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL tool lib dev)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
foreach(component TOOL LIB DEV)
  set(CPACK_DEBIAN_${component}_DEBUGINFO_PACKAGE ON)
endforeach()

set(CPACK_DEBIAN_TOOL_PACKAGE_NAME tavrin)
set(CPACK_DEBIAN_LIB_PACKAGE_NAME libtavrin${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_DEV_PACKAGE_NAME libtavrin-dev)
set(CPACK_DEBIAN_LIB_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_TOOL_DESCRIPTION "Survey instrument files in and out of a survey project
 Reads the raw files of total stations and field books into a project, writes points back in
 instrument formats and receives an instrument's memory over a serial line.")
set(CPACK_COMPONENT_LIB_DESCRIPTION "Tavrin core library
 The readers, writers and project model shared by the Tavrin programs.")
set(CPACK_COMPONENT_DEV_DESCRIPTION "Tavrin import plug-in development files
 The plug-in interface header, a CMake package (Tavrin::plugin), a pkg-config file and an example
 plug-in.")

# The library's own dependencies come from dpkg-shlibdeps; the programs need this very library.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR})
set(tavrin_lib_dep "libtavrin${PROJECT_VERSION_MAJOR} (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_TOOL_PACKAGE_DEPENDS ${tavrin_lib_dep})
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS ${tavrin_lib_dep})

include(CPack)
