# Version, commit and build type for `tavrin --version`. The commit is read at every build, but
# the generated file only changes (and only recompiles) when one of them does.
set(TAVRIN_VERSION_CPP ${PROJECT_BINARY_DIR}/generated/version_info.cpp)
add_custom_target(tavrin_version_info
  COMMAND ${CMAKE_COMMAND}
    -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
    -DOUTPUT=${TAVRIN_VERSION_CPP}
    -DVERSION=${PROJECT_VERSION}
    -DBUILD_TYPE=${CMAKE_BUILD_TYPE}
    -P ${PROJECT_SOURCE_DIR}/cmake/WriteVersion.cmake
  BYPRODUCTS ${TAVRIN_VERSION_CPP}
  COMMENT "" VERBATIM)
