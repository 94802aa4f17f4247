# English resources: German is the source language; the English texts are a Qt
# translation file built next to the executable as QLRESENU.qm.
file(GLOB _ts CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/translations/*.ts")
if(_ts)
    set_source_files_properties(${_ts} PROPERTIES OUTPUT_LOCATION "${CMAKE_BINARY_DIR}")
    qt_add_lrelease(quillomer TS_FILES ${_ts} QM_FILES_OUTPUT_VARIABLE _qm)
    install(FILES ${_qm} DESTINATION bin)
endif()
