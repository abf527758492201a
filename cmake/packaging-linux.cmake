# Install rules for the Linux build, and the .deb that CPack makes from them.

# Debian's tools want manual pages and changelogs compressed, reproducibly (no name, no time).
function(lv_gzip source output)
  execute_process(COMMAND gzip -9n -c ${source} OUTPUT_FILE ${output} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

execute_process(COMMAND date -R -u -d "${LV_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE LV_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(${LV_PACKAGING}/linux/${LV_APP_ID}.metainfo.xml.in
               ${LV_STAGE}/${LV_APP_ID}.metainfo.xml @ONLY)
configure_file(${LV_PACKAGING}/linux/lettervonk.1.in ${LV_STAGE}/lettervonk.1 @ONLY)
configure_file(${LV_PACKAGING}/debian/changelog.in ${LV_STAGE}/changelog @ONLY)
lv_gzip(${LV_STAGE}/lettervonk.1 ${LV_STAGE}/lettervonk.1.gz)
lv_gzip(${LV_STAGE}/changelog ${LV_STAGE}/changelog.gz)

install(TARGETS lettervonk RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${LV_PACKAGING}/linux/${LV_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${LV_STAGE}/${LV_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${LV_STAGE}/lettervonk.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${LV_PACKAGING}/debian/copyright ${LV_STAGE}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(icon_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
file(GLOB icon_files ${PROJECT_SOURCE_DIR}/resources/icons/lettervonk-*.png)
foreach(icon ${icon_files})
  string(REGEX REPLACE ".*-([0-9]+)\\.png$" "\\1" size ${icon})
  install(FILES ${icon} DESTINATION ${icon_dir}/${size}x${size}/apps RENAME ${LV_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/lettervonk.svg DESTINATION ${icon_dir}/scalable/apps
        RENAME ${LV_APP_ID}.svg)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lettervonk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${LV_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "syllable flash-reading drill")
# Debian shows the extended description as it stands: lines kept under 80 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Lettervonk is a flash-reading drill with a Dutch interface. Syllables of one\n"
  "consonant and one vowel sound flash in large type in the middle of a window,\n"
  "each shown for half an interval and followed by a blank half. Ten syllables\n"
  "make a series, a rest picture follows each series, and after every third\n"
  "series the interval shortens, so the drill speeds up as it goes.\n"
  "\n"
  "The start interval and the speed step are set beforehand; during the drill\n"
  "two buttons slow down or speed up by hand. Nothing is saved between runs.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beside the libraries: the face the layouts are measured for, and Qt's own texts in Dutch.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Directories the package makes are 0755 whatever the umask of the machine that builds it.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
