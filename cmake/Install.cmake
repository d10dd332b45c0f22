# What `cmake --install` puts where, and the Debian package `make package` builds with CPack.
# Installed, the program reads Help.txt and ReadMe.txt from <datadir>/rinvale; its records stay
# in the user's program folder ($XDG_DATA_HOME/RinvaleQX), never under the prefix.
set(RINVALE_RELEASE_DATE 2026-12-06)

install(TARGETS rinvale RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/Help.txt data/ReadMe.txt DESTINATION ${RINVALE_INSTALL_DOCDIR})
install(FILES data/desktop/${RINVALE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(data/desktop/${RINVALE_APP_ID}.metainfo.xml.in ${RINVALE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${RINVALE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon: one hand-written SVG, rendered to the usual PNG sizes at build time.
set(icon_svg ${PROJECT_SOURCE_DIR}/data/icons/${RINVALE_APP_ID}.svg)
set(icons_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${icon_svg} DESTINATION ${icons_dir}/scalable/apps)
find_program(RSVG_CONVERT rsvg-convert)
if(NOT RSVG_CONVERT)
    message(FATAL_ERROR "rsvg-convert renders the program's icon: install librsvg2-bin (scripts/install-deps.sh)")
endif()
set(icon_pngs)
foreach(size 16 32 48 64 128 256)
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}/${RINVALE_APP_ID}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}
        COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${icon_svg}
        DEPENDS ${icon_svg} VERBATIM)
    install(FILES ${png} DESTINATION ${icons_dir}/${size}x${size}/apps)
    list(APPEND icon_pngs ${png})
endforeach()
add_custom_target(icons ALL DEPENDS ${icon_pngs})

# `make package`: a .deb whose dependencies are the libraries the executable links
# (dpkg-shlibdeps) plus what it needs at run time: a Japanese font; fcitx5 with Mozc for
# typing Japanese, the Japanese texts of Qt's dialogs and the miss sound are recommended.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rinvale)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Rinvale QX")
set(CPACK_PACKAGE_CONTACT "Rinvale QX maintainers <maintainers@rinvale.jp>" CACHE STRING "Maintainer of the Debian package")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "typing practice for Japanese keyboarding certifications")
set(CPACK_PACKAGE_DESCRIPTION "Rinvale QX is a typing trainer for Japanese and English text. Japanese is
typed through the input method (fcitx5 with Mozc). It judges every character,
counts the keystrokes and the conversions, confirmations and corrections behind
them, grades each attempt against the tables of five Japanese certifications and
keeps logs and the ten best times of every text.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://rinvale.jp/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fcitx5, fcitx5-mozc, fcitx5-frontend-qt6, qt6-translations-l10n, sound-theme-freedesktop, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "im-config, fcitx5-config-qt")
include(CPack)
