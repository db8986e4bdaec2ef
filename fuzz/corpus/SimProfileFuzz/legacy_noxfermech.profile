[Identity]
Manufacturer = ZK Simulated Devices
ProductFamily = Legacy Series
ProductName = ZK Virtual Legacy
VersionMajor = 1
VersionMinor = 0
VersionInfo = 1.0 virtual legacy
ProtocolMajor = 1
ProtocolMinor = 9

[Device]
Sheets = 0
UserInterface = OK
NoPaper = FAIL
Events = SYNC

[Cap.ICAP_PIXELTYPE]
Id = 0x0101
Type = UINT16
Container = ONEVALUE
Items = 0
Current = 0
Operations = GET, GETCURRENT, GETDEFAULT, QUERYSUPPORT

[Cap.ICAP_XRESOLUTION]
Id = 0x1118
Type = FIX32
Container = ONEVALUE
Current = 200
Operations = GET, GETCURRENT, GETDEFAULT, QUERYSUPPORT
