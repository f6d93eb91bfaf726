object Module1: TTestModule
  object Edit1: TTestWidget
    Tag = 5
    Active = True
    Count = -42
    Caption = 'It''s'#13#10'x'
    Align = alClient
    Lines.Strings = (
      'first'
      '')
    Items = <
      item
        Name = 'a'
        Children = <
          item
          end>
      end>
    Font.Style = [fsBold, fsUnderline]
    Bud.............................................................................................................dy = Edit3
    OnChange = Edit1Change
  end
  object Edit2: TTestWidget
    Buddy = Module1.Edit1
  end
end
