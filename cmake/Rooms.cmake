# A room is a folder with one job and the target that builds it. Its target
# exports the room alone: a link to the folder, under the room's name, in an
# include folder of its own. So "room/header.h" is found only by code whose
# target links that room, and a wrong include fails to build.
function(hitungrama_room target)
    set(folder ${PROJECT_BINARY_DIR}/rooms/${target})
    get_filename_component(room ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    file(MAKE_DIRECTORY ${folder})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${folder}/${room} SYMBOLIC)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE ${folder})
    else()
        target_include_directories(${target} PUBLIC ${folder})
    endif()
endfunction()
