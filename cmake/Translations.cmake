# English resources: German is the source language; the English texts are a Qt
# translation file built next to the executable as QLRESENU.qm (the name of
# the English resource library it stands for). scripts/update-translations.sh
# refreshes the .ts file from the sources.
file(GLOB _ts CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/translations/*.ts")
if(_ts)
    set_source_files_properties(${_ts} PROPERTIES OUTPUT_LOCATION "${CMAKE_BINARY_DIR}")
    qt_add_lrelease(quillomer TS_FILES ${_ts} QM_FILES_OUTPUT_VARIABLE _qm)
    # The window tests load the English resources from the build directory.
    if(TARGET quillomer_lrelease)
        add_dependencies(quillomer_widgets quillomer_lrelease)
    endif()
    install(FILES ${_qm} DESTINATION bin)
endif()

# The ".qlx" document type for the desktop: the program opens files named on
# its command line.
install(FILES "${PROJECT_SOURCE_DIR}/shell/quillomer.desktop" DESTINATION share/applications)
install(FILES "${PROJECT_SOURCE_DIR}/shell/quillomer-mime.xml" DESTINATION share/mime/packages)
