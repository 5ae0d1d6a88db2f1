# `cmake --install`: the tool, a launcher that gives it a per-user working directory, its
# icon and translations, a desktop entry, and the udev rule that lets users open the
# controllers without root.
include(GNUInstallDirs)

if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(default_udev_dir "/usr/lib/udev/rules.d")
else()
    set(default_udev_dir "/etc/udev/rules.d")
endif()
set(KESTROV_UDEV_RULES_DIR "${default_udev_dir}" CACHE PATH "Where the udev rule for the controllers goes")

set(KESTROV_SHARE_DIR "${CMAKE_INSTALL_FULL_DATADIR}/kestrov-setup")
set(KESTROV_BINARY "${CMAKE_INSTALL_FULL_BINDIR}/kestrov-setup")
set(KESTROV_LAUNCHER "${CMAKE_INSTALL_FULL_BINDIR}/kestrov-setup-launcher")
configure_file(packaging/kestrov-setup-launcher.in kestrov-setup-launcher @ONLY)
configure_file(packaging/kestrov-setup.desktop.in kestrov-setup.desktop @ONLY)

install(TARGETS kestrov-setup RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/kestrov-setup-launcher DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES app/kestrov_hardware_icon.png DESTINATION ${CMAKE_INSTALL_DATADIR}/kestrov-setup)
install(DIRECTORY ${PROJECT_BINARY_DIR}/i18n/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kestrov-setup/i18n
        FILES_MATCHING PATTERN "*.qm")
install(FILES app/kestrov_hardware_icon.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps
        RENAME kestrov-setup.png)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kestrov-setup.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/70-kestrov-controllers.rules DESTINATION ${KESTROV_UDEV_RULES_DIR})
