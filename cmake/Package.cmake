# Packages, made with cpack in a build tree (scripts/package.sh makes both, checks the .deb):
#   cpack                                    kestrix_<version>_<arch>.deb from the install rules
#   cpack --config CPackSourceConfig.cmake   kestrix-<version>.tar.gz, the sources

# The licence beside the README; the package carries it as its copyright file instead.
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kestrix)

set(CPACK_VERBATIM_VARIABLES ON)  # values reach cpack as written here (the regexes below)
set(CPACK_PACKAGE_NAME kestrix)
set(CPACK_PACKAGE_VENDOR "Kestrix developers")
set(CPACK_PACKAGE_CONTACT "Kestrix developers <kestrix@users.noreply.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small OpenGL flight simulator")
set(CPACK_PACKAGE_DESCRIPTION "\
Fly a high-wing propeller aircraft from the keyboard or a gamepad over a
landscape generated at start-up, with an airfield, a control tower and a city,
drawn with OpenGL's fixed-function pipeline. Two flight models (a simple one
and a rigid-body one), chase, tower and overhead views, crash explosions with
sound, an options window, and recordings that replay exactly.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

set(CPACK_GENERATOR DEB)
# The .deb's prefix (/usr) and its Debian files, set for that generator alone.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackOptions.cmake)
set(CPACK_KESTRIX_STRIP ${CMAKE_STRIP})  # the toolchain's strip, for DebianFiles.cmake
# Directories cpack creates get 0755 whatever the umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
  GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # Depends: from the libraries the program links
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME kestrix-${PROJECT_VERSION})
# Everything but version control, build trees and what tools and editors leave behind.
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/build/" "/build-[^/]*/" "/Testing/" "\\.deb$"
  "~$" "/\\.#" "/#[^/]*#$" "\\.swp$")

include(CPack)
