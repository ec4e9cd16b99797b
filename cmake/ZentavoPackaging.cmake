# `cpack` in the build folder makes a Debian package of what `cmake --install`
# puts in place. Its dependencies pull in the Qt 6 runtime (with the X11/Wayland
# platform plugins that start the window), Qt's own translations (its dialogs
# and menus in the desktop's language), the IPA fonts the sheets are drawn in
# and CUPS' client library. Only a top-level build sets CPack up.
if(NOT PROJECT_IS_TOP_LEVEL OR NOT ZENTAVO_INSTALL)
    return()
endif()

set(CPACK_PACKAGE_NAME "zentavo")
set(CPACK_PACKAGE_VENDOR "The Zentavo developers")
set(CPACK_PACKAGE_CONTACT "The Zentavo developers <zentavo@users.noreply.github.com>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Zentavo makes one-page worksheets of division problems drawn from the times tables, and the matching answer sheets. It previews them and prints them on the current printer. zentavo-sheets makes a different sheet for every pupil of a class, as a PDF file or one print job, and the same set again from its seed.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/zentavo/zentavo")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "zentavo")
set(CPACK_STRIP_FILES TRUE)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "/build-[^/]*/")

if(NOT CPACK_GENERATOR)
    set(CPACK_GENERATOR "DEB")
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# dpkg-shlibdeps adds the packages of the shared libraries the program links:
# libqt6core6, libqt6gui6, libqt6widgets6, libqt6printsupport6 and the C and
# C++ runtimes. Named here is what it loads or uses at run time without
# linking: Qt's platform plugins, Qt's translations (read at start-up), the
# typefaces of the sheets and libcups2, which is opened when a print command
# checks its job.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-ipafont-mincho, fonts-ipafont-gothic, libcups2")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups, printer-driver-cups-pdf")

include(CPack)
