# Installs the build into a fresh folder and checks what desktops read from it: the menu entry and the
# software centres' description validate, and the icon they name is where the hicolor theme looks.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} OUTPUT_QUIET
    COMMAND_ERROR_IS_FATAL ANY)
foreach(file bin/quorvane libexec/quorvane/quorvane-video-decoder share/icons/hicolor/scalable/apps/${ID}.svg)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
execute_process(COMMAND desktop-file-validate ${PREFIX}/share/applications/${ID}.desktop
    COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND appstreamcli validate --no-net ${PREFIX}/share/metainfo/${ID}.metainfo.xml
    COMMAND_ERROR_IS_FATAL ANY)
