# Shared build rules: warnings as errors on our own code, sanitizers, and the
# two-layer feature libraries.

option(IZLEME_WERROR "Treat warnings in our own code as errors" ON)

function(izleme_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8)
    if(IZLEME_WERROR)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    # gcc 12 at -O3 reports `"text" + std::string` as an overlapping copy inside
    # the standard library (a known false positive of that release).
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
       AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
    if(IZLEME_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
endfunction()

if(IZLEME_SANITIZE AND NOT MSVC)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Coverage instrumentation for the fuzzers goes on the cores only.
set(IZLEME_CORE_FUZZ_FLAGS "")
if(IZLEME_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(IZLEME_CORE_FUZZ_FLAGS -fsanitize=fuzzer-no-link)
endif()

# izleme_feature(NAME [CORE_DEPS ...] [UI_DEPS ...])
# Builds NAME_core from NAME/core/*.cpp (standard C++ only) and NAME from
# NAME/ui/*.cpp (Qt). Headers are included as "NAME/core/X.h", "NAME/ui/X.h".
function(izleme_feature name)
  cmake_parse_arguments(F "" "" "CORE_DEPS;UI_DEPS" ${ARGN})
  file(GLOB core_src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/core/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/core/*.h)
  list(FILTER core_src INCLUDE REGEX "\\.cpp$")
  if(core_src)
    add_library(${name}_core STATIC ${core_src})
    target_include_directories(${name}_core PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name}_core PUBLIC ${F_CORE_DEPS})
    target_compile_options(${name}_core PRIVATE ${IZLEME_CORE_FUZZ_FLAGS})
    set_target_properties(${name}_core PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
    izleme_warnings(${name}_core)
  else()
    add_library(${name}_core INTERFACE)
    target_include_directories(${name}_core INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name}_core INTERFACE ${F_CORE_DEPS})
  endif()

  file(GLOB ui_src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.qrc)
  set(qt_libs Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Network Qt6::SerialPort Qt6::Multimedia)
  set(ui_cpp ${ui_src})
  list(FILTER ui_cpp INCLUDE REGEX "\\.cpp$")
  if(ui_cpp)
    add_library(${name} STATIC ${ui_src})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${name}_core ${F_UI_DEPS} ${qt_libs})
    izleme_warnings(${name})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${name}_core ${F_UI_DEPS} ${qt_libs})
  endif()
endfunction()
