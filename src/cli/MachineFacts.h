// The facts of one simulated-computer template. Each template is plain data;
// one writer (MachineWriter.h) turns any of them into a machine folder, and
// the family decides the registry layout around the facts.
#pragma once

#include <string>
#include <vector>

namespace tessary::cli {

enum class WindowsFamily {
  Nt5,    // 2000, XP: profiles under "Documents and Settings", NT 5 adapter keys
  Nt4,    // NT 4.0: profiles under %SystemRoot%\Profiles, NetworkCards
  Win9x,  // 95, 98, ME: Class\Net adapters, profiles optional
};

struct AccountFacts {
  std::string name;
  std::string domain;         // NT: the computer name or a domain; empty on the 95 family
  std::string sid;            // NT: SID text; empty on the 95 family
  std::string type;           // "admin", "user" or "deleted"
  std::string profileFolder;  // the folder's name under the profiles folder; empty = no profile
  bool loggedOn = false;
};

struct DomainFacts {
  std::string name;
  std::string controller;  // empty = the controller does not answer
};

struct DriveFacts {
  char letter = 'C';
  std::string type;  // fixed, removable, cdrom, remote, ramdisk
  std::string free;
  std::string total;
};

// One network interface or adapter. `listed` puts it in the interface table
// ([network]); `classSlot` >= 0 puts it in the registry's adapter keys.
struct AdapterFacts {
  std::string section;  // [adapter.NAME]
  bool listed = true;
  unsigned index = 0;
  unsigned type = 6;  // 6 Ethernet, 23 PPP, 24 loopback
  std::string mac;
  std::string address;  // what the interface holds now; empty = no address row
  std::string mask;
  std::string description;
  bool present = false;  // 95 family: listed by the device installer

  int classSlot = -1;  // NT 5 / 95 family: class subkey number; NT 4: NetworkCards number
  int routeRank = 0;   // NT 5: position in Tcpip\Linkage "Route", 0 = absent
  std::string id;      // NT 5: instance GUID; NT 4: service name; 95 family: device id
  std::string hardwareKey;  // 95 family: key under Enum
  int transport = -1;       // 95 family: NetTrans subkey number of its TCP/IP binding
  bool dhcp = false;
  std::string staticAddress;  // registry address ("0.0.0.0" on DHCP adapters)
  std::string staticMask;
  std::string gateway;
  std::string nameServers;  // comma-separated
  std::string winsServers;  // comma-separated
  std::string dhcpServer;
};

struct NetworkFacts {
  std::string hostName;
  std::string domain;
  std::string nameServers;  // comma-separated
  std::vector<AdapterFacts> adapters;
};

// A file the template places on a drive; an empty text gives a small
// program image with the system's version (or a DOS stub for other names).
struct FileFacts {
  std::string path;
  std::string text;
};

struct MachineFacts {
  std::string os;  // the --os name
  std::string comment;
  WindowsFamily family = WindowsFamily::Nt5;
  unsigned major = 0, minor = 0, build = 0;
  std::string csd;
  unsigned fileRevision = 0;  // NT: the last part of the system files' versions
  std::string productName;
  std::string versionText;  // 95 family "Version" value, e.g. "Windows 98"

  std::string computerName;
  std::string workgroup;
  unsigned memoryMb = 0;
  std::string owner, organization, productId;
  std::string windowsDir;  // e.g. C:\WINDOWS
  std::string systemDir;
  std::string profilesDir;  // the folder holding the profiles; 95 family: also when off
  bool profilesOn = true;
  std::string clock;

  std::vector<AccountFacts> accounts;
  std::vector<DomainFacts> domains;
  std::vector<DriveFacts> drives;
  NetworkFacts network;
  std::vector<FileFacts> extraFiles;  // besides the family's own
};

// The template for an --os name (xp, 2000, nt4, me, 98, 95); null when unknown.
const MachineFacts* findMachineTemplate(const std::string& os);

// The --os names in the order the usage text lists them.
const std::vector<std::string>& machineTemplateNames();

}  // namespace tessary::cli
