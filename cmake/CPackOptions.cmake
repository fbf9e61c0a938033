# Read by cpack for each generator (CPACK_PROJECT_CONFIG_FILE): the .deb installs under /usr and
# has Debian's files added to its tree; the source archive keeps the sources at its top.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianFiles.cmake)
endif()
