object M: TTestModule
object W1: TTestWidget
object W2: TTestWidget
object W3: TTestWidget
object W4: TTestWidget
object W5: TTestWidget
object W6: TTestWidget
object W7: TTestWidget
object W8: TTestWidget
object W9: TTestWidget
object W10: TTestWidget
object W11: TTestWidget
object W12: TTestWidget
object W13: TTestWidget
object W14: TTestWidget
object W15: TTestWidget
object W16: TTestWidget
object W17: TTestWidget
object W18: TTestWidget
object W19: TTestWidget
object W20: TTestWidget
object W21: TTestWidget
object W22: TTestWidget
object W23: TTestWidget
object W24: TTestWidget
object W25: TTestWidget
object W26: TTestWidget
object W27: TTestWidget
object W28: TTestWidget
object W29: TTestWidget
object W30: TTestWidget
object W31: TTestWidget
object W32: TTestWidget
object W33: TTestWidget
object W34: TTestWidget
object W35: TTestWidget
object W36: TTestWidget
object W37: TTestWidget
object W38: TTestWidget
object W39: TTestWidget
object W40: TTestWidget
object W41: TTestWidget
object W42: TTestWidget
object W43: TTestWidget
object W44: TTestWidget
object W45: TTestWidget
object W46: TTestWidget
object W47: TTestWidget
object W48: TTestWidget
object W49: TTestWidget
object W50: TTestWidget
object W51: TTestWidget
object W52: TTestWidget
object W53: TTestWidget
object W54: TTestWidget
object W55: TTestWidget
object W56: TTestWidget
object W57: TTestWidget
object W58: TTestWidget
object W59: TTestWidget
object W60: TTestWidget
object W61: TTestWidget
object W62: TTestWidget
object W63: TTestWidget
object W64: TTestWidget
object W65: TTestWidget
object W66: TTestWidget
object W67: TTestWidget
object W68: TTestWidget
object W69: TTestWidget
object W70: TTestWidget
object W71: TTestWidget
object W72: TTestWidget
object W73: TTestWidget
object W74: TTestWidget
object W75: TTestWidget
object W76: TTestWidget
object W77: TTestWidget
object W78: TTestWidget
object W79: TTestWidget
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
end
