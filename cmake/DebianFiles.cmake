# Run by cpack on the .deb's staging tree before it packs it (CPACK_PRE_BUILD_SCRIPTS): what
# Debian's policy asks of a package and a plain install does not do.
set(usr ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
set(doc ${usr}/share/doc/${CPACK_PACKAGE_NAME})

# A game's program lives in /usr/games; from there its data is still ../share/kestrix/Data.
file(RENAME ${usr}/bin ${usr}/games)
# Stripped as dh_strip does: no symbols, no .comment or .note sections.
execute_process(COMMAND ${CPACK_KESTRIX_STRIP} --remove-section=.comment --remove-section=.note
  ${usr}/games/${CPACK_PACKAGE_NAME} COMMAND_ERROR_IS_FATAL ANY)

# The licence is the package's copyright file.
file(RENAME ${doc}/LICENSE ${doc}/copyright)

# A native package (no Debian revision) has one changelog, changelog.gz; gzip -9n compresses it
# as lintian expects, without a time stamp. Its date is SOURCE_DATE_EPOCH's when set
# (scripts/package.sh takes the last commit's), else now.
string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${doc}/changelog "\
${CPACK_PACKAGE_NAME} (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium

  * Kestrix ${CPACK_PACKAGE_VERSION}, packaged with CPack.

 -- ${CPACK_PACKAGE_CONTACT}  ${date}
")
execute_process(COMMAND gzip -9nf ${doc}/changelog COMMAND_ERROR_IS_FATAL ANY)
