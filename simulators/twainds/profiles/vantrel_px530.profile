[Identity]
Manufacturer = Vantrel
ProductFamily = Vantrel tarn
ProductName = Vantrel PX530
VersionMajor = 3
VersionMinor = 2
VersionInfo = 3.2 Vantrel PX530
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
Current = VT-5301-0042
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

[ExtInfo.TWEI_BOOKNAME]
Id = 0x1238
Type = STR255
Value = BATCH

[ExtInfo.TWEI_CHAPTERNUMBER]
Id = 0x1239
Type = UINT32
Value = 1

[Vendor]
Model = 5301
Info = Vantrel PX530 firmware 3.2.1
Product = Vantrel PX530
Number = 7
BusyAnswers = 2
Settings = 1 56 54 53 31 00 02

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

[Cap.ICAP_FRAMES]
Id = 0x1114
Type = FRAME
Container = ENUMERATION
Items = 0 0 8.5 11, 0 0 8.25 11.7, 0 0 12 17
Current = 0 0 8.5 11
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.CAP_ALARMS]
Id = 0x1018
Type = UINT16
Container = ARRAY
Items = 0, 2
Allowed = 0, 1, 2, 3, 4, 5, 6, 7, 8
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

[Cap.VENDOR_BATCHCOUNT]
Id = 0x802B
Type = FIX32
Container = RANGE
Min = 0
Max = 9999
Step = 1
Current = 0
Default = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_BATCHLEVEL]
Id = 0x804E
Type = INT16
Container = ENUMERATION
Items = 1, 2, 3
Current = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_BATCHSTARTFUNCTION]
Id = 0x803F
Type = INT16
Container = ENUMERATION
Items = 0, 1, 2, 3, 4, 5, 6, 7
Current = 5
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_BATCHENDFUNCTION]
Id = 0x804F
Type = INT16
Container = ENUMERATION
Items = 0, 1, 2, 3, 4, 5, 6, 7
Current = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.ICAP_PATCHCODESEARCHPRIORITIES]
Id = 0x1142
Type = UINT16
Container = ARRAY
Items = 1, 2
DefaultItems = 1, 2
Allowed = 0, 1, 2, 3, 4, 5
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_PATCHTOGGLE]
Id = 0x806D
Type = UINT16
Container = ENUMERATION
Items = 0, 1, 2
Current = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.ICAP_PATCHCODEDETECTIONENABLED]
Id = 0x113F
Type = BOOL
Container = ONEVALUE
Current = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_IMAGEADDRESSLEVELTOFOLLOW1]
Id = 0x803B
Type = UINT16
Container = ENUMERATION
Items = 1, 2, 3
Current = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_IMAGEADDRESSLEVELTOFOLLOW2]
Id = 0x803C
Type = UINT16
Container = ENUMERATION
Items = 1, 2, 3
Current = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_IMAGEADDRESSLEVELTOFOLLOW3]
Id = 0x803D
Type = UINT16
Container = ENUMERATION
Items = 1, 2, 3
Current = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_IMAGEADDRESSTEMPLATE]
Id = 0x803E
Type = UINT16
Container = ENUMERATION
Items = 0, 1, 2, 3, 4, 5, 65535
Current = 1
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_IMAGEADDRESSLEADINGZEROS]
Id = 0x8045
Type = UINT16
Container = ENUMERATION
Items = 0, 1, 2
Current = 0
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_IMAGEADDRESSSLOT1]
Id = 0x804A
Type = STR255
Container = ONEVALUE
Current = FFFFFFFFF
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_IMAGEADDRESSSLOT2]
Id = 0x804B
Type = STR255
Container = ONEVALUE
Current = 333333
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_IMAGEADDRESSSLOT3]
Id = 0x804C
Type = STR255
Container = ONEVALUE
Current = 222222
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_IMAGEADDRESSSLOT4]
Id = 0x804D
Type = STR255
Container = ONEVALUE
Current = 111111
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT

[Cap.VENDOR_IMAGEADDRESS]
Id = 0x8015
Type = STR255
Container = ONEVALUE
Current = BATCH.000001.000001.000001
Operations = GET, GETCURRENT, GETDEFAULT, SET, RESET, QUERYSUPPORT
