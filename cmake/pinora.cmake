# Common settings for every target of the project.
add_library(pinora_options INTERFACE)
target_compile_options(pinora_options INTERFACE -Wall -Wextra -Wpedantic)
if(PINORA_WERROR)
  target_compile_options(pinora_options INTERFACE -Werror)
endif()
target_compile_definitions(pinora_options INTERFACE
  QT_NO_KEYWORDS QT_NO_CAST_FROM_ASCII QT_NO_FOREACH QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  PINORA_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  PINORA_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  PINORA_VERSION_PATCH=${PROJECT_VERSION_PATCH})
if(PINORA_SANITIZE)
  target_compile_options(pinora_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(pinora_options INTERFACE -fsanitize=address,undefined)
endif()

# pinora_layer(NAME DEPS ...): one static library per folder of src/, made of
# every .cpp/.h in that folder.
function(pinora_layer name)
  cmake_parse_arguments(L "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  add_library(pinora_${name} STATIC ${srcs})
  target_include_directories(pinora_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(pinora_${name} PUBLIC pinora_options ${L_DEPS})
endfunction()

# pinora_test(NAME DEPS ...): one GoogleTest program per folder of tests/,
# made of every .cpp in it; registered with CTest. A folder that has its own
# main.cpp (widget tests need a QApplication) links plain gtest.
function(pinora_test name)
  cmake_parse_arguments(T "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(test_${name} ${srcs})
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
    set(gtest_lib GTest::gtest GTest::gmock)
  else()
    set(gtest_lib GTest::gtest_main GTest::gmock)
  endif()
  target_link_libraries(test_${name} PRIVATE pinora_options ${T_DEPS} ${gtest_lib})
  target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND test_${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp;ASAN_OPTIONS=detect_stack_use_after_return=0"
    TIMEOUT 600)
endfunction()
