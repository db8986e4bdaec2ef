[Identity]
Manufacturer = ZK Simulated Devices
ProductFamily = Desktop Series
ProductName = ZK Virtual Desktop Simplex
VersionMajor = 1
VersionMinor = 3
VersionInfo = 1.3 virtual desktop
ProtocolMajor = 2
ProtocolMinor = 1

[Device]
Sheets = 3
UserInterface = CANCEL
NoPaper = CLOSEDSREQ
Events = ASYNC
PageSize = LETTER

[Cap.ICAP_XFERMECH]
Id = 0x0103
Type = UINT16
Container = ENUMERATION
Items = 0, 2
Current = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.ICAP_PIXELTYPE]
Id = 0x0101
Type = UINT16
Container = ENUMERATION
Items = 0, 1
Current = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.ICAP_UNITS]
Id = 0x0102
Type = UINT16
Container = ONEVALUE
Current = 0
Operations = GET, GETCURRENT, GETDEFAULT, QUERYSUPPORT

[Cap.ICAP_XRESOLUTION]
Id = 0x1118
Type = FIX32
Container = ENUMERATION
Items = 150, 200, 300
Current = 200
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.ICAP_YRESOLUTION]
Id = 0x1119
Type = FIX32
Container = ENUMERATION
Items = 150, 200, 300
Current = 200
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.CAP_FEEDERLOADED]
Id = 0x1003
Type = BOOL
Container = ONEVALUE
Current = 1
Operations = GET, GETCURRENT, QUERYSUPPORT
