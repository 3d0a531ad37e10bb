# Man pages (doc/man/*.scd, turned into roff by scdoc) and the same texts compiled into the tool
# for `tavrin help TOPIC`.
file(GLOB TAVRIN_MAN_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/doc/man/*.scd)

set(TAVRIN_HELP_CPP ${PROJECT_BINARY_DIR}/generated/help_topics.cpp)
add_custom_command(OUTPUT ${TAVRIN_HELP_CPP}
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${TAVRIN_HELP_CPP} "-DSOURCES=${TAVRIN_MAN_SOURCES}"
          -P ${PROJECT_SOURCE_DIR}/cmake/EmbedHelp.cmake
  DEPENDS ${TAVRIN_MAN_SOURCES} ${PROJECT_SOURCE_DIR}/cmake/EmbedHelp.cmake
  COMMENT "" VERBATIM)
target_sources(tavrin PRIVATE ${TAVRIN_HELP_CPP})

find_program(SCDOC scdoc)
if(NOT SCDOC)
  message(STATUS "scdoc not found: man pages are not built (apt-get install scdoc)")
  return()
endif()
set(pages)
foreach(src ${TAVRIN_MAN_SOURCES})
  get_filename_component(page ${src} NAME_WLE)  # tavrin-import.1
  set(out ${PROJECT_BINARY_DIR}/man/${page})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND sh -c "${SCDOC} < '${src}' > '${out}'"
    DEPENDS ${src} COMMENT "" VERBATIM)
  list(APPEND pages ${out})
endforeach()
add_custom_target(tavrin_man ALL DEPENDS ${pages})
install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tool)
