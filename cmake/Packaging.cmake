# The Debian package, made by CPack from what the default build installs: nothing is compiled again.
# `cpack --config build/default/CPackConfig.cmake` (scripts/package.sh) writes quorvane_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${QUORVANE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "focus timer that counts rounds from keyboard and mouse activity")
set(CPACK_PACKAGE_DESCRIPTION "Quorvane counts a focus round from your keyboard and mouse activity and
pauses it while you are away. When the round is done it locks the keyboard for
a break, and a weighted wheel draws a break activity. Finished rounds and
confirmed activities are written to two CSV logs, shown in a journal and in
daily statistics. Quorvane lives in the system tray.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The shared libraries the program and the decoder link, as dpkg-shlibdeps finds them...
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# ...and what they load only at run time: the QML modules the views import, Qt's platforms and image
# plugins, the GStreamer elements of the music and video pipelines, and the fonts for Latin and Han text
# and the timer's hairline digits (scripts/check-package.sh finds each file the program loads in these).
string(JOIN ", " CPACK_DEBIAN_PACKAGE_DEPENDS
    qml6-module-qtqml qml6-module-qtqml-workerscript qml6-module-qtqml-models qml6-module-qtquick
    qml6-module-qtquick-controls qml6-module-qtquick-templates qml6-module-qtquick-layouts
    qml6-module-qtquick-window qml6-module-qtquick-shapes qml6-module-qtcharts qml6-module-qt-labs-platform
    qt6-qpa-plugins qt6-wayland libqt6svg6 qt6-image-formats-plugins qt6-translations-l10n
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
    fonts-noto-core fonts-noto-cjk fonts-dejavu-extra)
# Without these the program still runs: xdg-open opens the logs' and the backgrounds' folders where no
# file manager answers on the bus (an alert says so when nothing does), and the parsers of the bad set
# read AIFF sound and H.265 video.
string(JOIN ", " CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils gstreamer1.0-plugins-bad)
include(CPack)

# Where there is no package manager: `cmake --install build/default --strip` installs, and
# `cmake --build build/default --target uninstall` removes it all again from where it went, with the
# folders the install created once they are empty.
install(CODE "quorvane_end_install_record(${PROJECT_BINARY_DIR})")
add_custom_target(uninstall
    COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${PROJECT_BINARY_DIR} -P ${CMAKE_CURRENT_LIST_DIR}/uninstall.cmake
    VERBATIM)
