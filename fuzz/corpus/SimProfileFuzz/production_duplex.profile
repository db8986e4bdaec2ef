[Identity]
Manufacturer = ZK Simulated Devices
ProductFamily = Production Series
ProductName = ZK Virtual Production Duplex
VersionMajor = 2
VersionMinor = 1
VersionInfo = 2.1 virtual production
ProtocolMajor = 2
ProtocolMinor = 4

[Device]
Sheets = 10
UserInterface = OK
NoPaper = CLOSEDSREQ
Events = ASYNC
CustomData = 5A 4B 01 00 02 00
Camera = /Camera_Bitonal_Top
Camera = /Camera_Bitonal_Bottom
Camera = /Camera_Color_Top
Camera = /Camera_Color_Bottom
PageSize = A4
PageDelay = 0

[Cap.ICAP_XFERMECH]
Id = 0x0103
Type = UINT16
Container = ENUMERATION
Items = 0, 1, 2
Current = 0
Default = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.ICAP_PIXELTYPE]
Id = 0x0101
Type = UINT16
Container = ENUMERATION
Items = 0, 1, 2
Current = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.ICAP_UNITS]
Id = 0x0102
Type = UINT16
Container = ENUMERATION
Items = 0, 1, 5
Current = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.ICAP_COMPRESSION]
Id = 0x0100
Type = UINT16
Container = ENUMERATION
Items = 0, 5, 6
Current = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.ICAP_XRESOLUTION]
Id = 0x1118
Type = FIX32
Container = ENUMERATION
Items = 100, 150, 200, 240, 300, 400, 600
Current = 200
Default = 200
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.ICAP_YRESOLUTION]
Id = 0x1119
Type = FIX32
Container = ENUMERATION
Items = 100, 150, 200, 240, 300, 400, 600
Current = 200
Default = 200
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.ICAP_BRIGHTNESS]
Id = 0x1101
Type = FIX32
Container = RANGE
Min = -1000
Max = 1000
Step = 10
Current = 0
Default = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.ICAP_CONTRAST]
Id = 0x1103
Type = FIX32
Container = RANGE
Min = -1000
Max = 1000
Step = 10
Current = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.ICAP_FRAMES]
Id = 0x1114
Type = FRAME
Container = ENUMERATION
Items = 0 0 8.5 11, 0 0 8.25 11.7, 0 0 12 17
Current = 0 0 8.5 11
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.CAP_XFERCOUNT]
Id = 0x0001
Type = INT16
Container = ONEVALUE
Current = -1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.CAP_DUPLEX]
Id = 0x1012
Type = UINT16
Container = ONEVALUE
Current = 1
Operations = GET, GETCURRENT, GETDEFAULT, QUERYSUPPORT

[Cap.CAP_DUPLEXENABLED]
Id = 0x1013
Type = BOOL
Container = ONEVALUE
Items = 0, 1
Current = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.CAP_FEEDERENABLED]
Id = 0x1002
Type = BOOL
Container = ONEVALUE
Current = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.CAP_FEEDERLOADED]
Id = 0x1003
Type = BOOL
Container = ONEVALUE
Current = 1
Operations = GET, GETCURRENT, QUERYSUPPORT

[Cap.CAP_DEVICEONLINE]
Id = 0x100F
Type = BOOL
Container = ONEVALUE
Current = 1
Operations = GET, GETCURRENT, QUERYSUPPORT

[Cap.CAP_SERIALNUMBER]
Id = 0x1024
Type = STR255
Container = ONEVALUE
Current = ZKV-PD-000123
Operations = GET, GETCURRENT, QUERYSUPPORT

[Cap.CAP_PRINTERSTRING]
Id = 0x102A
Type = STR255
Container = ENUMERATION
Items = BATCH %04d | DOC %06d | SCANNED, REVIEWED
Current = BATCH %04d
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.CAP_ALARMS]
Id = 0x1018
Type = UINT16
Container = ARRAY
Items = 0, 2
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_BATCHCOUNTER]
Id = 0x8001
Type = UINT32
Container = ONEVALUE
Current = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_IMAGEADDRESS]
Id = 0x8002
Type = STR255
Container = ONEVALUE
Current = 1.0.0.0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_PATCHTYPES]
Id = 0x8003
Type = UINT16
Container = ARRAY
Items = 1, 2, 3, 4, 6
DefaultItems = 1, 2, 3, 4, 6
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_SHARPENING]
Id = 0x8004
Type = INT32
Container = RANGE
Min = 0
Max = 10
Step = 1
Current = 3
Default = 3
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_COLORDROPOUT]
Id = 0x8005
Type = UINT16
Container = ENUMERATION
Items = 0, 1, 2, 3
Current = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_IMPRINTERENABLED]
Id = 0x8006
Type = BOOL
Container = ONEVALUE
Current = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.ICAP_IMAGEFILEFORMAT]
Id = 0x110C
Type = UINT16
Container = ENUMERATION
Items = 0, 2, 4
Current = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.CAP_DEVICEEVENT]
Id = 0x1022
Type = UINT16
Container = ARRAY
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[ExtInfo.VENDOR_BATCHCOUNTER]
Id = 0x8101
Type = UINT32
Value = {page}

[ExtInfo.VENDOR_IMAGEADDRESS]
Id = 0x8102
Type = STR255
Value = 1.{document}.{page}.0
