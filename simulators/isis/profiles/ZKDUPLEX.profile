[Driver]
Model = ZK Virtual Duplex 60
Model = ZK Virtual Duplex 90
Model = ZK Virtual Duplex 120
Sheets = 5
PageSize = A4
BlockSize = 65536

[Tag.2]
Value = 2

[Tag.1283]
Value = 2097152

[Tag.1294]
Type = ASCII
Value = virtual duplex 1.0

[Tag.1300]
Value = 4
Choices = 3, 4, 6

[Tag.1690]
Value = 1
Choices = 1, 2, -1, -2

[Tag.1707]
Value = 1
Range = 1, 2, 1

[Tag.1708]
Value = 1
Range = 1, 2, 1

[Tag.1763]
Value = 0

[Tag.5440]
Value = 0

[Tag.277]
PerWindow = 1
Value = 1
Choices = 1, 3

[Tag.258]
PerWindow = 1
Value = 1
Choices = 1, 8

[Tag.262]
PerWindow = 1
Value = 0
Choices = 0, 1, 2

[Tag.259]
PerWindow = 1
Value = 1
Choices = 1, 4, 6

[Tag.282]
PerWindow = 1
Type = RATIONAL
Value = 200
Choices = 100, 150, 200, 300

[Tag.283]
PerWindow = 1
Type = RATIONAL
Value = 200
Choices = 100, 150, 200, 300

[Window.2]
277 = 3
258 = 8
262 = 2

[Window.-2]
277 = 3
258 = 8
262 = 2
