# Where `cmake --install` puts the tool, and the Debian package made from it
# (`cpack --preset release`).
include(GNUInstallDirs)

install(TARGETS orvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
install(FILES ${PROJECT_SOURCE_DIR}/doc/orvane.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT manual)

# Debian installs manual pages compressed (gzip -9n: no name or time stamp, so
# the package is reproducible). The package takes this component in place of
# the plain page; a plain `cmake --install` never installs it.
add_custom_command(OUTPUT orvane.1.gz
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/doc/orvane.1 > orvane.1.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/doc/orvane.1
  VERBATIM)
add_custom_target(compressed_manual ALL DEPENDS orvane.1.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/orvane.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT debian_manual EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "place the six speakers of a 6.0 surround layout in a room")
# One paragraph, wrapped as Debian's control file wants it.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "The Orvane 6.0 Layout Assistant asks six questions about a listening\n"
  "room in the terminal and shows the listening distance and the speaker\n"
  "spacings to measure out for a 6.0 surround layout: a front L/R pair at\n"
  "30 degrees, a front side pair at 55 degrees and a raised surround pair\n"
  "between 110 and 145 degrees. Lengths are in the unit of the answers.")
set(CPACK_PACKAGE_CONTACT "Orvane developers <layout@orvane.example>")
set(CPACK_INSTALL_CMAKE_PROJECTS
  "${CMAKE_BINARY_DIR};orvane;program;/"
  "${CMAKE_BINARY_DIR};orvane;debian_manual;/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://orvane.example/layout)
# Depends from what the binary really links: nothing when it is static.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
