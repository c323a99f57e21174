# Installs the build into a fresh folder and checks what desktops read from it: the menu entry and the
# software centres' description validate, and the icon they name is where the hicolor theme looks.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} OUTPUT_QUIET
    COMMAND_ERROR_IS_FATAL ANY)
foreach(file bin/quorvane libexec/quorvane/quorvane-video-decoder share/icons/hicolor/scalable/apps/${ID}.svg
        share/icons/hicolor/48x48/apps/${ID}.png)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
execute_process(COMMAND desktop-file-validate ${PREFIX}/share/applications/${ID}.desktop
    COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND appstreamcli validate --no-net ${PREFIX}/share/metainfo/${ID}.metainfo.xml
    COMMAND_ERROR_IS_FATAL ANY)
# The uninstall target leaves not even an empty folder, beside the prefix's shared ones.
execute_process(COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${BUILD_DIR} -DPREFIX=${PREFIX} -P ${UNINSTALL} OUTPUT_QUIET
    COMMAND_ERROR_IS_FATAL ANY)
file(GLOB_RECURSE left LIST_DIRECTORIES true ${PREFIX}/*)
list(REMOVE_ITEM left ${PREFIX}/bin ${PREFIX}/libexec ${PREFIX}/share ${PREFIX}/share/applications
    ${PREFIX}/share/metainfo ${PREFIX}/share/icons ${PREFIX}/share/icons/hicolor ${PREFIX}/share/doc)
if(left)
    message(FATAL_ERROR "left after uninstalling: ${left}")
endif()
