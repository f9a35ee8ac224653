# Settings every target of the project shares, carried by one INTERFACE target.
add_library(rankminer_settings_common INTERFACE)
target_compile_features(rankminer_settings_common INTERFACE cxx_std_20)
target_compile_options(rankminer_settings_common INTERFACE
    -Wall -Wextra -Wold-style-cast -Wnon-virtual-dtor)

if(RANKMINER_SANITIZE)
    target_compile_options(rankminer_settings_common INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(rankminer_settings_common INTERFACE -fsanitize=address,undefined)
endif()

# Adds one static library per core subsystem folder: every .cpp below src/core/<name>.
function(rankminer_core_library name)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
    if(sources)
        add_library(rankminer_${name} STATIC ${sources})
        target_include_directories(rankminer_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src/core)
        target_link_libraries(rankminer_${name} PUBLIC rankminer_settings_common ${ARGN})
    else()
        add_library(rankminer_${name} INTERFACE)
        target_include_directories(rankminer_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src/core)
        target_link_libraries(rankminer_${name} INTERFACE rankminer_settings_common ${ARGN})
    endif()
endfunction()
