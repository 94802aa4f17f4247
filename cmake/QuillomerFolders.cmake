# One library per source folder; the folder's own *.cpp files (not its
# sub-folders) make it up, so a new class needs no edit here. main.cpp files
# belong to executables and are left out.
#
#   ql_folder_library(<name> <dir> [USES <folder libraries>...] [LIBS <other libraries>...])
#
# USES names the folder libraries of lower layers (and, for a family, the
# sibling families) the folder builds on; scripts/check-layers.py keeps the
# #include lines to the same order. Classes register themselves with static
# objects, so a folder's code is always linked whole: <name> is what the others
# link, and it brings the archive <name>_archive whole together with the
# libraries it uses. The archives never link one another, so families that
# use each other (a cycle) still put every archive once on a link line.
function(ql_folder_library name dir)
    cmake_parse_arguments(PARSE_ARGV 2 _arg "" "" "USES;LIBS")
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
