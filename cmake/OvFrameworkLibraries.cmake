# ov_framework_libraries(OUT): every static library of the framework folders under Source/
# and of the display emulator in MonApi2/, for programs that may reach into any layer (fuzz
# targets, benchmarks). Linking a static library only pulls in the objects a program uses.
function(ov_framework_libraries out)
  set(libraries "")
  foreach(folder IN ITEMS Source/OvSystem Source/OvCore Source/OvData Source/Progress Source/OvMath
                          Source/OvColor Source/OvDevices MonApi2)
    get_property(targets DIRECTORY ${PROJECT_SOURCE_DIR}/${folder} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "STATIC_LIBRARY")
        list(APPEND libraries ${target})
      endif()
    endforeach()
  endforeach()
  set(${out} ${libraries} PARENT_SCOPE)
endfunction()
