#include "ui/environment_reads.h"

#include "probe/wmi_queries.h"

namespace {

const EnvironmentReads kWmiReads = {WmiGetOsName,          WmiGetCpuName,          WmiGetInstalledMemory,
                                    WmiGetTotalPhysicalMemory, WmiFindVideoController, WmiGetVideoControllerName};

const EnvironmentReads* g_reads = &kWmiReads;

}  // namespace

const EnvironmentReads& CurrentEnvironmentReads() { return *g_reads; }

const EnvironmentReads& WmiEnvironmentReads() { return kWmiReads; }

void SetEnvironmentReads(const EnvironmentReads* reads) { g_reads = reads ? reads : &kWmiReads; }
