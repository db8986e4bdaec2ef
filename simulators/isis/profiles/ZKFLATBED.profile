[Driver]
Model = ZK Virtual Flatbed
Sheets = 1
PageSize = LETTER

[Tag.1300]
Value = 3
Choices = 3

[Tag.277]
Value = 1
Choices = 1, 3

[Tag.258]
Value = 8
Choices = 1, 8

[Tag.259]
Value = 1
Choices = 1, 6

[Tag.262]
Value = 1

[Tag.282]
Type = RATIONAL
Value = 150
Choices = 75, 150, 300

[Tag.283]
Type = RATIONAL
Value = 150
Choices = 75, 150, 300
