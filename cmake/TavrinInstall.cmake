# What `cmake --install` and the Debian packages put where. Components: tool (programs, man
# pages, completion, example plug-in), lib (libtavrin.so.0), dev (plug-in header, CMake package,
# pkg-config file, example plug-in source). The string tables are compiled into the library.
include(CMakePackageConfigHelpers)

# Installed binaries carry no debug info: `cmake --install` strips them even without --strip.
# The Debian packaging (it installs below _CPack_Packages) keeps them whole and moves the
# symbols into -dbgsym packages itself.
foreach(component tool lib dev)
  install(CODE [[
    if(NOT DEFINED CMAKE_INSTALL_DO_STRIP AND NOT "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}" MATCHES "/_CPack_Packages/")
      set(CMAKE_INSTALL_DO_STRIP 1)
    endif()
  ]] COMPONENT ${component})
endforeach()

install(TARGETS tavrin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tool)
install(TARGETS tavrin_outputs_module LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/tavrin COMPONENT tool)
install(TARGETS tavrin_shared
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT lib NAMELINK_COMPONENT dev)

install(TARGETS tavrin_plugin EXPORT TavrinTargets)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/tavrin
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev FILES_MATCHING PATTERN "*.h")
set(TAVRIN_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Tavrin)
install(EXPORT TavrinTargets NAMESPACE Tavrin:: DESTINATION ${TAVRIN_CMAKE_DIR} COMPONENT dev)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/TavrinConfig.cmake.in
  ${PROJECT_BINARY_DIR}/TavrinConfig.cmake INSTALL_DESTINATION ${TAVRIN_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/TavrinConfigVersion.cmake
  COMPATIBILITY SameMinorVersion ARCH_INDEPENDENT)
# Relocatable: the prefix is found from where the file lies.
file(RELATIVE_PATH TAVRIN_PC_TO_PREFIX ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
configure_file(${PROJECT_SOURCE_DIR}/cmake/tavrin.pc.in ${PROJECT_BINARY_DIR}/tavrin.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/TavrinConfig.cmake ${PROJECT_BINARY_DIR}/TavrinConfigVersion.cmake
  DESTINATION ${TAVRIN_CMAKE_DIR} COMPONENT dev)
install(FILES ${PROJECT_BINARY_DIR}/tavrin.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

# The example plug-in: ready to use, and its source for plug-in authors to start from.
if(TARGET csv_points)
  install(TARGETS csv_points LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/tavrin/plugins
    COMPONENT tool)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/plugins/csv_points
    DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples COMPONENT dev)
endif()

install(FILES ${PROJECT_SOURCE_DIR}/completion/tavrin.bash
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tavrin COMPONENT tool)
install(FILES ${PROJECT_SOURCE_DIR}/completion/_tavrin
  DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions COMPONENT tool)
