# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install`: the tool, behind a launcher that gives it a per-user working directory;
# its command-line companion kestrov-ctl; its icon and translations, a desktop entry,
# AppStream data, the man pages, and the udev rule that lets users open the controllers
# without root. The Debian package installs the same.
include(GNUInstallDirs)

if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(default_udev_dir "/usr/lib/udev/rules.d")
else()
    set(default_udev_dir "/etc/udev/rules.d")
endif()
set(KESTROV_UDEV_RULES_DIR "${default_udev_dir}" CACHE PATH "Where the udev rule for the controllers goes")

set(KESTROV_SHARE_DIR "${CMAKE_INSTALL_FULL_DATADIR}/kestrov-setup")
set(KESTROV_BINARY "${CMAKE_INSTALL_FULL_LIBEXECDIR}/kestrov-setup/kestrov-setup")
set(KESTROV_LAUNCHER "${CMAKE_INSTALL_FULL_BINDIR}/kestrov-setup")
configure_file(packaging/kestrov-setup-launcher.in kestrov-setup-launcher @ONLY)
configure_file(packaging/kestrov-setup.desktop.in kestrov-setup.desktop @ONLY)
configure_file(docs/man/kestrov-setup.1.in man/kestrov-setup.1 @ONLY)

# The window program reads its files from its working directory, so users start it through
# the launcher, which carries its name on the PATH; the program itself is private.
install(TARGETS kestrov-setup RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/kestrov-setup)
install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/kestrov-setup-launcher
        DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME kestrov-setup)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/man/kestrov-setup.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Command-line programs work in no particular directory and go straight to the PATH, each
# with its man page beside the one above.
install(TARGETS kestrov-ctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
configure_file(docs/man/kestrov-ctl.1.in man/kestrov-ctl.1 @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/man/kestrov-ctl.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES app/kestrov_hardware_icon.png DESTINATION ${CMAKE_INSTALL_DATADIR}/kestrov-setup)
install(DIRECTORY ${PROJECT_BINARY_DIR}/i18n/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kestrov-setup/i18n
        FILES_MATCHING PATTERN "*.qm" PATTERN ".lupdate" EXCLUDE PATTERN "CMakeFiles" EXCLUDE)

# Menu icon sizes, made from the window icon by packaging/icons/make-icons.
install(DIRECTORY packaging/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
        FILES_MATCHING PATTERN "*.png")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kestrov-setup.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/example.kestrov.Setup.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/70-kestrov-controllers.rules DESTINATION ${KESTROV_UDEV_RULES_DIR})
