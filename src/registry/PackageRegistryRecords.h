// Reading value records from a package's "Registry" stream.
#pragma once

#include "registry/RegistryPass.h"

namespace tessary {

class PackageEngine;

// Reads the record of a value node from `engine`'s open package. A node
// whose offset or size points outside the stream gives false.
RegistryRecordReader packageRecordReader(PackageEngine& engine);

}  // namespace tessary
