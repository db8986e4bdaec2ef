[Identity]
Manufacturer = Vantrel
ProductFamily = Vantrel fell
ProductName = Vantrel PX310
VersionMajor = 3
VersionMinor = 2
VersionInfo = 3.2 Vantrel PX310
ProtocolMajor = 2
ProtocolMinor = 4

[Device]
Sheets = 4
UserInterface = OK
NoPaper = CLOSEDSREQ
Events = ASYNC
CustomData = 56 54 01 00
Camera = /Camera_Color_Top
Camera = /Camera_Bitonal_Top
Camera = /Camera_Color_Bottom
Camera = /Camera_Bitonal_Bottom
PageSize = A4
PageDelay = 0

[Cap.ICAP_XFERMECH]
Id = 0x0103
Type = UINT16
Container = ENUMERATION
Items = 0, 1, 2
Current = 2
Default = 2
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.ICAP_PIXELTYPE]
Id = 0x0101
Type = UINT16
Container = ENUMERATION
Items = 0, 1, 2
Current = 0
Default = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.ICAP_UNITS]
Id = 0x0102
Type = UINT16
Container = ENUMERATION
Items = 0, 1, 5
Current = 0
Default = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.ICAP_COMPRESSION]
Id = 0x0100
Type = UINT16
Container = ENUMERATION
Items = 0, 5, 6
Current = 0
Default = 0
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

[Cap.ICAP_HALFTONES]
Id = 0x1109
Type = STR32
Container = ENUMERATION
Items = None | Dither | Error Diffusion
Current = None
Default = None
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.ICAP_THRESHOLD]
Id = 0x1123
Type = FIX32
Container = RANGE
Current = 128
Min = 0
Max = 255
Step = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.ICAP_CONTRAST]
Id = 0x1103
Type = FIX32
Container = RANGE
Current = 0
Min = -1000
Max = 1000
Step = 10
Operations = GET, GETCURRENT, QUERYSUPPORT

[Cap.CAP_XFERCOUNT]
Id = 0x0001
Type = INT16
Container = ONEVALUE
Current = -1
Default = -1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.CAP_INDICATORS]
Id = 0x100b
Type = BOOL
Container = ONEVALUE
Current = 1
Default = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.CAP_DUPLEX]
Id = 0x1012
Type = UINT16
Container = ONEVALUE
Current = 1
Default = 1
Operations = GET, GETCURRENT, GETDEFAULT, QUERYSUPPORT

[Cap.CAP_DUPLEXENABLED]
Id = 0x1013
Type = BOOL
Container = ONEVALUE
Items = 0, 1
Current = 1
Default = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.CAP_FEEDERENABLED]
Id = 0x1002
Type = BOOL
Container = ONEVALUE
Current = 1
Default = 1
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
Current = VT-3101-0042
Operations = GET, GETCURRENT, QUERYSUPPORT

[Cap.CAP_CUSTOMDSDATA]
Id = 0x1015
Type = BOOL
Container = ONEVALUE
Current = 1
Default = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.CAP_PRINTERENABLED]
Id = 0x1027
Type = BOOL
Container = ONEVALUE
Current = 1
Default = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.CAP_PRINTERINDEX]
Id = 0x1028
Type = UINT32
Container = ONEVALUE
Current = 1
Default = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.CAP_PRINTERSTRING]
Id = 0x102A
Type = STR255
Container = ONEVALUE
Current = DOC
Default = DOC
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_8015]
Id = 0x8015
Type = STR255
Container = ONEVALUE
Current = A
Default = A
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_CAPTURESIDE]
Id = 0x802C
Type = UINT16
Container = ENUMERATION
Items = 0, 1, 2, 3
Current = 3
Default = 3
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_NOWAIT]
Id = 0x8032
Type = BOOL
Container = ONEVALUE
Items = 0, 1
Current = 0
Default = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_COLORPAIRING]
Id = 0x80B7
Type = BOOL
Container = ONEVALUE
Items = 0, 1
Current = 1
Default = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_COLORPAIRINGMODE]
Id = 0x80C5
Type = UINT16
Container = ENUMERATION
Items = 0, 1
Current = 0
Default = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_CAMERAENABLED]
Id = 0x801D
Type = BOOL
Container = ONEVALUE
Items = 0, 1
Current = 1
Default = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_GRAYMODE]
Id = 0x802E
Type = BOOL
Container = ONEVALUE
Items = 0, 1
Current = 0
Default = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[CameraCap./Camera_Color_Top.ENABLED]
Id = 0x801D
Type = BOOL
Container = ONEVALUE
Items = 0, 1
Current = 0
Default = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[CameraCap./Camera_Color_Top.GRAYMODE]
Id = 0x802E
Type = BOOL
Container = ONEVALUE
Items = 0, 1
Current = 0
Default = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[CameraCap./Camera_Bitonal_Top.ENABLED]
Id = 0x801D
Type = BOOL
Container = ONEVALUE
Items = 0, 1
Current = 1
Default = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[CameraCap./Camera_Bitonal_Top.THRESHOLD]
Id = 0x1123
Type = FIX32
Container = RANGE
Current = 128
Min = 0
Max = 255
Step = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[CameraCap./Camera_Color_Bottom.ENABLED]
Id = 0x801D
Type = BOOL
Container = ONEVALUE
Items = 0, 1
Current = 0
Default = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[CameraCap./Camera_Color_Bottom.GRAYMODE]
Id = 0x802E
Type = BOOL
Container = ONEVALUE
Items = 0, 1
Current = 1
Default = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[CameraCap./Camera_Bitonal_Bottom.ENABLED]
Id = 0x801D
Type = BOOL
Container = ONEVALUE
Items = 0, 1
Current = 1
Default = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[CameraCap./Camera_Bitonal_Bottom.THRESHOLD]
Id = 0x1123
Type = FIX32
Container = RANGE
Current = 100
Min = 0
Max = 255
Step = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[ExtInfo.HDR_PAGESIDE]
Id = 0x8001
Type = UINT32
Value = {sideno}

[ExtInfo.HDR_DOCUMENTCOUNT]
Id = 0x8002
Type = UINT32
Value = {counter}

[ExtInfo.HDR_LEVEL]
Id = 0x8004
Type = UINT32
Value = 1

[ExtInfo.HDR_PRINTERSTRING]
Id = 0x8015
Type = STR255
Value = DOC {counter}

[ExtInfo.HDR_PRINTERINDEX]
Id = 0x8016
Type = UINT32
Value = {counter}

[ExtInfo.HDR_PAGENUMBER]
Id = 0x8018
Type = UINT32
Value = {page}

[ExtInfo.HDR_IMAGEADDRESSSTRING]
Id = 0x801E
Type = STR255
Value = A.{counter}.{sideno}.{segment}

[ExtInfo.HDR_FEATUREPATCH]
Id = 0x8021
Type = UINT32
Value = 0

[ExtInfo.HDR_LONGPAPERSEGMENT]
Id = 0x8035
Type = UINT32
Value = {segment}

[ExtInfo.HDR_LONGPAPERLASTSEGMENT]
Id = 0x8036
Type = UINT32
Value = {segments}

[Vendor]
Model = 3101
Info = Vantrel PX310 firmware 3.2.1
Product = Vantrel PX310
Number = 7
BusyAnswers = 2
Settings = 1 56 54 53 31 00 02

[Cap.CAP_PRINTERSUFFIX]
Id = 0x102B
Type = STR255
Container = ONEVALUE
Current = 
Default = 
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_PRINTERWRITESEQUENCE]
Id = 0x8009
Type = STR255
Container = ONEVALUE
Current = Z
Default = Z
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_PRINTERMESSAGE1]
Id = 0x800C
Type = STR255
Container = ONEVALUE
Current = 
Default = 
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_PRINTERMESSAGE2]
Id = 0x800D
Type = STR255
Container = ONEVALUE
Current = 
Default = 
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_PRINTERMESSAGE3]
Id = 0x800E
Type = STR255
Container = ONEVALUE
Current = 
Default = 
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_PRINTERMESSAGE4]
Id = 0x800F
Type = STR255
Container = ONEVALUE
Current = 
Default = 
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_PRINTERMESSAGE5]
Id = 0x8010
Type = STR255
Container = ONEVALUE
Current = 
Default = 
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_PRINTERMESSAGE6]
Id = 0x8011
Type = STR255
Container = ONEVALUE
Current = 
Default = 
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_PRINTERINDEXFORMAT]
Id = 0x801A
Type = UINT16
Container = ONEVALUE
Current = 0
Default = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_PRINTERINDEXDIGITS]
Id = 0x801B
Type = UINT16
Container = ONEVALUE
Current = 9
Default = 9
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_PRINTERDATEDELIMITER]
Id = 0x801C
Type = UINT16
Container = ONEVALUE
Current = 0
Default = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_PRINTERFONT]
Id = 0x8044
Type = UINT16
Container = ONEVALUE
Current = 4
Default = 4
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_PRINTERPOSITION]
Id = 0x8046
Type = FIX32
Container = ONEVALUE
Current = 0.5
Default = 0.5
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT
