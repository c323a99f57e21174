# Included by the install script. An install into a prefix learns first which files it puts there and
# which of their folders do not exist yet, and records both with the prefix in the build folder once it
# has finished; the uninstall target (uninstall.cmake) removes exactly those. Staged installs (DESTDIR, a
# package being made) are not recorded: whoever staged them removes the stage.
function(quorvane_begin_install_record build)
    if(QUORVANE_STAGING OR NOT "$ENV{DESTDIR}" STREQUAL "" OR CPACK_GENERATOR)
        return()
    endif()
    # The files, learnt by installing into a scratch folder: install_manifest.txt is written only at the end.
    set(staging ${build}/install-staging)
    file(REMOVE_RECURSE ${staging})
    execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DESTDIR
        ${CMAKE_COMMAND} -DCMAKE_INSTALL_PREFIX=${staging} -DQUORVANE_STAGING=ON -P ${build}/cmake_install.cmake
        OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${staging} ${staging}/*)
    file(REMOVE_RECURSE ${staging})
    set(prefix ${CMAKE_INSTALL_PREFIX})
    set(created)
    set(record ${build}/install-record.cmake)
    # A second install into the same prefix finds the folders of the first: they stay the first's.
    if(EXISTS ${record})
        include(${record})
        if(QUORVANE_INSTALLED_PREFIX STREQUAL prefix)
            set(created ${QUORVANE_INSTALLED_FOLDERS})
        endif()
    endif()
    foreach(file ${files})
        get_filename_component(folder ${prefix}/${file} DIRECTORY)
        while(NOT IS_DIRECTORY ${folder} AND NOT folder STREQUAL prefix)
            list(APPEND created ${folder})
            get_filename_component(folder ${folder} DIRECTORY)
        endwhile()
    endforeach()
    list(REMOVE_DUPLICATES created)
    set(QUORVANE_RECORD "set(QUORVANE_INSTALLED_PREFIX [[${prefix}]])
set(QUORVANE_INSTALLED_FILES [[${files}]])
set(QUORVANE_INSTALLED_FOLDERS [[${created}]])
" PARENT_SCOPE)
endfunction()

function(quorvane_end_install_record build)
    if(DEFINED QUORVANE_RECORD)
        file(WRITE ${build}/install-record.cmake "${QUORVANE_RECORD}")
    endif()
endfunction()
