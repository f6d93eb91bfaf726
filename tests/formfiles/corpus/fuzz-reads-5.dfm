object Module1: TTestModule
  object Edit1: TTestWidget
    Tag = 0
    Active = True
    Count = -42
    Caption = 'It''s'#13#10'x'
 Font.Style = [fsBold, fsUnderline]
    Buddy = Edit2
    OnChange = Edit1Change
  end
  object Edit2: TTestWidget
    BuDdy = Module1.Edit1
  end
end
