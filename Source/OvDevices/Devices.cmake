# Device-side data and parsers that need no display: the VCP catalogue, the model lists,
# EDID texts and the capability string.
add_library(OvDeviceData STATIC
  ${CMAKE_CURRENT_LIST_DIR}/OvVCPNames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OvVendorLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OvCalibrationLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OvEdidText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OvCapabilities.cpp)
target_link_libraries(OvDeviceData PUBLIC OvFoundation)
ov_set_warnings(OvDeviceData)

# The simulation files of the simulated displays, above the monitor list (Source/OvSystem),
# to which they describe the simulated monitors.
add_library(OvMonitorSimulation STATIC ${CMAKE_CURRENT_LIST_DIR}/OvMonitorSimulation.cpp)
target_link_libraries(OvMonitorSimulation PUBLIC OvMonitorList OvData)
ov_set_warnings(OvMonitorSimulation)
