# One library per source folder; the folder's own *.cpp files (not its
# sub-folders) make it up, so a new class needs no edit here. main.cpp files
# belong to executables and are left out.
#
#   ql_folder_library(<name> <dir> [USES <folder libraries>...] [LIBS <other libraries>...]
#                     [PCH <kind>])
#
# USES names the folder libraries of lower layers (and, for a family, the
# sibling families) the folder builds on; PCH names the kind of precompiled
# header its files share (ql_precompile below); scripts/check-layers.py keeps the
# #include lines to the same order. Classes register themselves with static
# objects, so a folder's code is always linked whole: <name> is what the others
# link, and it brings the archive <name>_archive whole together with the
# libraries it uses. The archives never link one another, so families that
# use each other (a cycle) still put every archive once on a link line.
function(ql_folder_library name dir)
    cmake_parse_arguments(PARSE_ARGV 2 _arg "" "PCH" "USES;LIBS")
    file(GLOB _src CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${dir}/*.cpp")
    list(FILTER _src EXCLUDE REGEX "/main\\.cpp$")
    file(GLOB _hdr CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${dir}/*.h")
    if(NOT _src)
        # Keep the target so the layers stay valid while a folder is empty.
        set(_src "${PROJECT_SOURCE_DIR}/cmake/empty.cpp")
    endif()
    add_library(${name}_archive STATIC ${_src} ${_hdr})
    target_include_directories(${name}_archive PRIVATE "${PROJECT_SOURCE_DIR}")
    # No generated headers come from other targets: moc need not wait for them.
    set_target_properties(${name}_archive PROPERTIES
        AUTOMOC ON AUTOGEN_ORIGIN_DEPENDS OFF POSITION_INDEPENDENT_CODE ON)
    if(_arg_LIBS)
        target_link_libraries(${name}_archive PRIVATE ${_arg_LIBS})
    endif()
    if(_arg_PCH)
        ql_precompile(${name}_archive ${_arg_PCH})
    endif()

    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE "${PROJECT_SOURCE_DIR}")
    target_link_libraries(${name} INTERFACE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${name}_archive>" ${_arg_USES} ${_arg_LIBS})
endfunction()

# A name for several folder libraries together (a layer, or what a test
# program links).
function(ql_combine name)
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARGN})
endfunction()

# Links folder libraries or their combinations; their archives come whole.
function(ql_link_whole target)
    target_link_libraries(${target} PRIVATE ${ARGN})
endfunction()

# Precompiled headers. Most of a file's compile time beyond its own code goes
# into the Qt and GoogleTest headers that nearly every file of a kind includes;
# each kind parses them once. A precompiled header serves only compilations with
# the flags it was made with, so the first target of a kind makes it and the
# others of the kind (the same flags) take it over.
#   ql_precompile(<target> <kind>)    kind: qt widgets test_core test_qt test_gui
# Only headers from outside the project go in: a change to one of ours must not
# rebuild everything. -DQL_PCH=OFF builds without them.
option(QL_PCH "Precompiled headers for the Qt libraries and the test programs" ON)
set(_ql_pch_std <algorithm> <cstdint> <cstdio> <functional> <map> <memory> <set> <string> <vector>)
set(_ql_pch_core ${_ql_pch_std} <QByteArray> <QCoreApplication> <QDateTime> <QDir> <QElapsedTimer> <QFile>
    <QFileInfo> <QList> <QObject> <QPointer> <QSettings> <QString> <QStringList> <QTimer>)
set(_ql_pch_widgets ${_ql_pch_core} <QAction> <QApplication> <QCheckBox> <QComboBox> <QDialog> <QDialogButtonBox>
    <QFontMetrics> <QGridLayout> <QGroupBox> <QHBoxLayout> <QHeaderView> <QImage> <QKeyEvent> <QLabel> <QLineEdit>
    <QListWidget> <QMainWindow> <QMenu> <QMouseEvent> <QPainter> <QPixmap> <QPlainTextEdit> <QProgressBar>
    <QPushButton> <QRadioButton> <QSlider> <QSplitter> <QStatusBar> <QStyle> <QToolBar> <QToolButton>
    <QTreeWidget> <QVBoxLayout> <QWidget>)
set(QL_PCH_qt ${_ql_pch_core})
set(QL_PCH_widgets ${_ql_pch_widgets})
set(QL_PCH_test_core <gtest/gtest.h> ${_ql_pch_std})
set(QL_PCH_test_qt <gtest/gtest.h> ${_ql_pch_core} <QTemporaryDir> <QTest>)
set(QL_PCH_test_gui <gtest/gtest.h> ${_ql_pch_widgets} <QTemporaryDir> <QTest>)

function(ql_precompile target kind)
    if(NOT QL_PCH)
        return()
    endif()
    # A header that does not fit is silently parsed again; say so.
    target_compile_options(${target} PRIVATE -Winvalid-pch)
    get_property(_maker GLOBAL PROPERTY QL_PCH_MAKER_${kind})
    if(_maker)
        target_precompile_headers(${target} REUSE_FROM ${_maker})
    else()
        target_precompile_headers(${target} PRIVATE ${QL_PCH_${kind}})
        set_property(GLOBAL PROPERTY QL_PCH_MAKER_${kind} ${target})
    endif()
endfunction()
