# One object library per source folder; the folder's own *.cpp files (not its
# sub-folders) make it up, so a new class needs no edit here. main.cpp files
# belong to executables and are left out.
function(ql_folder_library name dir)
    file(GLOB _src CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${dir}/*.cpp")
    list(FILTER _src EXCLUDE REGEX "/main\\.cpp$")
    file(GLOB _hdr CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${dir}/*.h")
    if(NOT _src)
        # Keep the target so combinations stay valid while a folder is empty.
        set(_src "${PROJECT_SOURCE_DIR}/cmake/empty.cpp")
    endif()
    add_library(${name} OBJECT ${_src} ${_hdr})
    target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
    set_target_properties(${name} PROPERTIES AUTOMOC ON POSITION_INDEPENDENT_CODE ON)
    if(ARGN)
        target_link_libraries(${name} PUBLIC ${ARGN})
    endif()
endfunction()

# A static library made of several folder libraries. Classes register
# themselves with static objects, so users link it whole (ql_link_whole).
function(ql_combine name)
    set(_objs)
    foreach(lib ${ARGN})
        list(APPEND _objs $<TARGET_OBJECTS:${lib}>)
    endforeach()
    add_library(${name} STATIC ${_objs})
    target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
    foreach(lib ${ARGN})
        get_target_property(_deps ${lib} LINK_LIBRARIES)
        if(_deps)
            target_link_libraries(${name} PUBLIC ${_deps})
        endif()
    endforeach()
endfunction()

function(ql_link_whole target)
    foreach(lib ${ARGN})
        target_link_libraries(${target} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${lib}>")
    endforeach()
endfunction()
