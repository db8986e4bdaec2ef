[Driver]
Model = ZK Virtual VRS
Sheets = 3
PageSize = LETTER

[Tag.1294]
Type = ASCII
Value = virtual vrs 4.0

[Tag.1300]
Value = 3
Choices = 3, 4, 6

[Tag.277]
Value = 1
Choices = 1, 3

[Tag.258]
Value = 1
Choices = 1, 8

[Tag.259]
Value = 1
Choices = 1, 4, 6

[Tag.262]
Value = 0

[Tag.282]
Type = RATIONAL
Value = 200
Choices = 100, 200, 300

[Tag.283]
Type = RATIONAL
Value = 200
Choices = 100, 200, 300
