# ov_framework_libraries(OUT): every static library the framework folders under Source/
# define, for programs that may reach into any layer (fuzz targets, benchmarks). Linking
# a static library only pulls in the objects a program uses.
function(ov_framework_libraries out)
  set(libraries "")
  foreach(layer OvSystem OvCore OvData Progress OvMath OvColor OvDevices)
    get_property(targets DIRECTORY ${PROJECT_SOURCE_DIR}/Source/${layer} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "STATIC_LIBRARY")
        list(APPEND libraries ${target})
      endif()
    endforeach()
  endforeach()
  set(${out} ${libraries} PARENT_SCOPE)
endfunction()
