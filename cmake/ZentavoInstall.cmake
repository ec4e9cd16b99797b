# What `cmake --install` puts beside the program: the desktop launcher, the
# AppStream metainfo, the application icon in the hicolor theme and the
# licence. Only a top-level build installs by default, so a project that pulls
# Zentavo in with add_subdirectory() does not get its launcher.
include(GNUInstallDirs)

option(ZENTAVO_INSTALL "Install the program and its desktop files" ${PROJECT_IS_TOP_LEVEL})

# The id of the desktop launcher and the AppStream component.
set(ZENTAVO_APP_ID "io.github.zentavo.Zentavo")
# The icon's name in the icon theme.
set(ZENTAVO_ICON_NAME "zentavo")
set(ZENTAVO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(ZENTAVO_PACKAGING_DIR "${PROJECT_SOURCE_DIR}/packaging")

if(ZENTAVO_INSTALL)
    install(FILES "${ZENTAVO_PACKAGING_DIR}/${ZENTAVO_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/applications")
    install(FILES "${ZENTAVO_PACKAGING_DIR}/${ZENTAVO_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/metainfo")
    install(FILES "${ZENTAVO_PACKAGING_DIR}/icons/zentavo.svg"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps"
        RENAME "${ZENTAVO_ICON_NAME}.svg")
    foreach(size IN LISTS ZENTAVO_ICON_SIZES)
        install(FILES "${ZENTAVO_PACKAGING_DIR}/icons/zentavo-${size}.png"
            DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps"
            RENAME "${ZENTAVO_ICON_NAME}.png")
    endforeach()
    # Debian keeps a package's licence as doc/<package>/copyright.
    install(FILES "${PROJECT_SOURCE_DIR}/LICENSE"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/doc/zentavo"
        RENAME copyright)
endif()
